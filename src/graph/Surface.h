#pragma once
// The drawing surface the graphs draw on: a coordinate system in surface units (twips unless set
// otherwise) over a device of whole pixels, a current position for text, a current font and line style.
// The screen, picture export, printing and the tests implement the device side.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace ornivo::graph {

// A graph that cannot be drawn from the state it is given (no completed run behind it).
struct GraphError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ScaleMode values: a user-defined system (set by Scale), twips, pixels.
constexpr int16_t ScaleUser = 0;
constexpr int16_t ScaleTwips = 1;
constexpr int16_t ScalePixels = 3;

enum class LineStyle { Solid, Dotted };

struct SurfaceFont {
    std::string Name = "Times New Roman";
    float Size = 12;  // points
    bool Bold = false, Italic = false, Underline = false, Strikethrough = false;
    int16_t Weight() const { return Bold ? 700 : 400; }
    bool operator==(const SurfaceFont&) const = default;
};

// The logical font description that a rotated text call receives (fields as the platform defines them;
// the ones the rotator does not set stay 0: default width, ANSI character set, default precision,
// quality and pitch). lfHeight > 0 is a cell height in pixels.
struct LogFont {
    int32_t lfHeight = 0, lfWidth = 0, lfEscapement = 0, lfOrientation = 0, lfWeight = 0;
    uint8_t lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0, lfOutPrecision = 0,
            lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
    std::array<char, 32> lfFaceName{};  // Latin-1, NUL-terminated
    // The face name as UTF-8.
    std::string FaceName() const;
    bool operator==(const LogFont&) const = default;
};

// UTF-8 to Latin-1 for the face name field (characters beyond Latin-1 become '?'), at most
// 31 bytes and a NUL.
std::array<char, 32> FaceNameField(const std::string& utf8Name);

class Surface {
public:
    // A device of pixelWidth x pixelHeight pixels at dpiX x dpiY pixels per inch, in twips.
    Surface(int32_t pixelWidth, int32_t pixelHeight, int32_t dpiX = 96, int32_t dpiY = 96);
    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // ---- Coordinate system ----
    int16_t ScaleMode() const { return mode_; }
    // Twips and pixels reset the origin to 0; user-defined keeps the present system.
    void SetScaleMode(int16_t mode);
    float ScaleLeft() const { return left_; }
    float ScaleTop() const { return top_; }
    float ScaleWidth() const { return width_; }
    float ScaleHeight() const { return height_; }
    // A user-defined system with (x1, y1) at the top-left and (x2, y2) at the bottom-right corner.
    void Scale(float x1, float y1, float x2, float y2);

    // ---- Device ----
    int32_t PixelWidth() const { return pixelWidth_; }
    int32_t PixelHeight() const { return pixelHeight_; }
    int32_t LogPixelsX() const { return dpiX_; }
    int32_t LogPixelsY() const { return dpiY_; }
    // Surface units to device pixels (fractional) in the present coordinate system.
    double ToPixelsX(double x) const;
    double ToPixelsY(double y) const;

    // ---- Drawing state ----
    float CurrentX = 0, CurrentY = 0;  // where the next text is written (top-left corner)
    SurfaceFont Font;
    LineStyle DrawStyle = LineStyle::Solid;

    // ---- Drawing ----
    // A straight line in the current line style; coordinates in surface units, held as singles.
    void Line(double x1, double y1, double x2, double y2);
    // Writes text with its top-left corner at the current position in the current font, then moves
    // the current position to the start of the next line.
    void Print(const std::string& text);
    // Size of a text in the current font, in surface units.
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;
    // The device-context call: text whose unrotated top-left corner is at pixel (px, py), turned
    // counter-clockwise by lfEscapement tenths of a degree about that corner, in the given font.
    // The current position and font are left alone.
    void TextOut(int32_t px, int32_t py, const LogFont& font, const std::string& text);

protected:
    // Device hooks. Coordinates are in surface units of the present system; ToPixels gives the device
    // position. Text measures are in pixels.
    virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
    virtual void drawText(float x, float y, const std::string& text) = 0;
    virtual void drawTextOut(int32_t px, int32_t py, const LogFont& font, const std::string& text) = 0;
    virtual double textWidthPixels(const std::string& text) const = 0;
    virtual double textHeightPixels(const std::string& text) const = 0;

private:
    int32_t pixelWidth_, pixelHeight_, dpiX_, dpiY_;
    int16_t mode_ = ScaleTwips;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Number of characters (code points) of a UTF-8 text.
std::size_t CharCount(const std::string& utf8);

}  // namespace ornivo::graph

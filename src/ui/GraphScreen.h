#pragma once
// What the two graph screens share: the heading above the drawing area, the drawing area itself, and
// the buttons that print the graph, save it as a picture and close the screen. A graph screen opens
// without blocking the screen that opened it and closes with it. The graph is drawn once, at load.
#include <QHBoxLayout>
#include <memory>
#include <string>

#include "graph/PrintPage.h"
#include "graph/Rotator.h"
#include "ui/GraphBox.h"
#include "ui/GraphPrinter.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class GraphScreen : public Screen {
    Q_OBJECT
public:
    QLabel* lblHeading;
    GraphBox* pbxGraph;
    QPushButton *cmdPrint, *cmdSavePicture, *cmdExit;

    // "Print graph": the printer message, the comment, then the page on the chosen printer.
    void cmdPrint_Click();
    // "Save picture...": the heading and the drawing as a PNG, SVG or PDF file.
    void cmdSavePicture_Click();
    void cmdExit_Click() { close(); }

    // Replaces the printer choice (tests print to a PDF file).
    void setPrinter(std::unique_ptr<GraphPrinter> printer) { printer_ = std::move(printer); }
    const std::string& heading() const { return heading_; }
    const std::string& comment() const { return comment_; }

protected:
    // Where "Save picture..." proposes to save: the calculation's folder of the output tree
    // ("PowerCurves"), and a name of the bird's short name and what the graph shows ("power curve").
    struct PictureFiles {
        const char* folder;
        const char* subject;
    };
    // The surface is widthTwips x heightTwips as designed (rescaled with the controls when the
    // program resizes its screens); exitCaption names the results screen the user returns to.
    GraphScreen(UiContext& ctx, const QString& objectName, const QString& caption, int widthTwips, int heightTwips,
                const QString& exitCaption, PictureFiles pictures, QWidget* opener);

    // Draws the graph on the surface and returns its heading; throws graph::GraphError without a run.
    virtual std::string drawGraph(graph::Surface& surface, graph::Rotator& rotator) = 0;
    virtual graph::PrintedPage printedPage(const std::string& heading, const std::string& comment) const = 0;

    // Screen load: draws the graph and shows the heading. False (with the reason shown) when there is
    // nothing to draw; the screen must not open then.
    bool Form_Load();
    // The graph screen of this kind that `opener` has open already, brought to the front; or null.
    template <class T>
    static T* Raised(QWidget* opener) {
        if (!opener) return nullptr;
        T* open = opener->findChild<T*>(QString(), Qt::FindDirectChildrenOnly);
        if (!open || !open->isVisible()) return nullptr;
        open->raise();
        open->activateWindow();
        return open;
    }
    // Opens a loaded screen or, when it cannot draw, discards it. Returns the open screen or null.
    template <class T>
    static T* Open(T* screen) {
        if (!screen->Form_Load()) {
            screen->deleteLater();
            return nullptr;
        }
        screen->placeWindow();
        screen->show();
        return screen;
    }

    QHBoxLayout* buttons_;  // the subclasses add their own buttons before cmdExit
    graph::Rotator rotator_;

private:
    PictureFiles pictures_;
    std::string heading_, comment_;
    std::unique_ptr<GraphPrinter> printer_;
};

}  // namespace ornivo::ui

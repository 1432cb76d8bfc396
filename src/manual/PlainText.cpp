#include "manual/PlainText.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace ornivo::manual {
namespace {

std::string trim(std::string_view t) {
    const auto b = t.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    const auto e = t.find_last_not_of(" \t\r");
    return std::string(t.substr(b, e - b + 1));
}

bool startsWith(std::string_view t, std::string_view p) { return t.substr(0, p.size()) == p; }

// Words of text laid into lines of at most width columns, each after the given indents.
void wrap(std::ostream& out, const std::string& text, std::size_t width, const std::string& first,
          const std::string& rest) {
    std::istringstream words(text);
    std::string word, line = first;
    bool empty = true;
    while (words >> word) {
        if (!empty && line.size() + 1 + word.size() > width) {
            out << line << "\n";
            line = rest;
            empty = true;
        }
        if (!empty) line += ' ';
        line += word;
        empty = false;
    }
    if (!empty) out << line << "\n";
}

// Counts UTF-8 characters, so that underlines match headings with accents or units.
std::size_t columns(const std::string& t) {
    std::size_t n = 0;
    for (unsigned char c : t)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string PlainInline(std::string_view line) {
    std::string s(line);
    // Hidden notes.
    for (auto b = s.find("<!--"); b != std::string::npos; b = s.find("<!--", b)) {
        const auto e = s.find("-->", b);
        s.erase(b, e == std::string::npos ? std::string::npos : e + 3 - b);
    }
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size()) {
            r += s[++i];
        } else if (c == '[') {
            // [text](target) keeps its text.
            const auto close = s.find(']', i);
            if (close != std::string::npos && close + 1 < s.size() && s[close + 1] == '(') {
                const auto end = s.find(')', close);
                if (end != std::string::npos) {
                    r += PlainInline(std::string_view(s).substr(i + 1, close - i - 1));
                    i = end;
                    continue;
                }
            }
            r += c;
        } else if (c == '`') {
            // code marks go
        } else if (c == '*' || (c == '_' && i + 1 < s.size() && s[i + 1] == '_')) {
            // emphasis marks go; a lone underscore inside a word (a state name) stays
            if (c == '_') ++i;
        } else {
            r += c;
        }
    }
    return r;
}

std::string MarkdownToPlain(std::string_view markdown, std::size_t width) {
    std::vector<std::string> lines;
    std::istringstream in{std::string(markdown)};
    for (std::string l; std::getline(in, l);) lines.push_back(l);

    std::ostringstream out;
    std::string para;
    auto flush = [&] {
        if (!para.empty()) {
            wrap(out, para, width, "", "");
            out << "\n";
            para.clear();
        }
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string t = trim(lines[i]);
        if (t.empty()) {
            flush();
            continue;
        }
        if (startsWith(t, "#")) {
            flush();
            std::size_t level = t.find_first_not_of('#');
            const std::string head = PlainInline(trim(t.substr(level)));
            out << head << "\n" << std::string(columns(head), level <= 1 ? '=' : '-') << "\n\n";
            continue;
        }
        if (startsWith(t, "|")) {
            flush();
            // The rule under a table's head row carries nothing for a reader.
            if (t.find_first_not_of("|-: ") == std::string::npos) continue;
            out << PlainInline(t) << "\n";
            if (i + 1 >= lines.size() || !startsWith(trim(lines[i + 1]), "|")) out << "\n";
            continue;
        }
        const bool bullet = startsWith(t, "- ") || startsWith(t, "* ");
        std::size_t digits = t.find_first_not_of("0123456789");
        const bool numbered = digits != std::string::npos && digits > 0 && digits + 1 < t.size() &&
                              t[digits] == '.' && t[digits + 1] == ' ';
        if (bullet || numbered) {
            flush();
            const std::size_t lead = lines[i].find_first_not_of(' ');
            std::string item = bullet ? t.substr(2) : t.substr(digits + 2);
            // Continuation lines of the item are indented.
            while (i + 1 < lines.size() && !trim(lines[i + 1]).empty() && startsWith(lines[i + 1], "  ") &&
                   !startsWith(trim(lines[i + 1]), "- ") && !startsWith(trim(lines[i + 1]), "* "))
                item += " " + trim(lines[++i]);
            // A nested item keeps its indent.
            const std::string indent(std::min<std::size_t>(lead, 8), ' ');
            const std::string mark = indent + (bullet ? "  - " : "  " + t.substr(0, digits + 1) + " ");
            wrap(out, PlainInline(item), width, mark, std::string(mark.size(), ' '));
            if (i + 1 >= lines.size() || trim(lines[i + 1]).empty()) out << "\n";
            continue;
        }
        if (!para.empty()) para += ' ';
        para += PlainInline(t);
    }
    flush();
    std::string r = out.str();
    while (r.size() >= 2 && r[r.size() - 1] == '\n' && r[r.size() - 2] == '\n') r.pop_back();
    return r;
}

}  // namespace ornivo::manual

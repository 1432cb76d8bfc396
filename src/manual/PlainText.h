#pragma once
// A manual page for a terminal: the Markdown of a page turned into plain text, paragraphs wrapped.
#include <string>
#include <string_view>

namespace ornivo::manual {

// Headings are underlined, emphasis and code marks dropped, links shown by their text, hidden notes
// (<!-- ... -->) removed, paragraphs and list items wrapped to width columns; tables keep their rows.
std::string MarkdownToPlain(std::string_view markdown, std::size_t width = 78);

// The text of a line of Markdown without its marks (links by their text, emphasis, code and notes gone).
std::string PlainInline(std::string_view line);

}  // namespace ornivo::manual

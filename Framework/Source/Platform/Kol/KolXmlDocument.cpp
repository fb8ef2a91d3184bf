// Document bookkeeping: source positions and the parse error.
#include <algorithm>

#include <fmt/printf.h>

#include "KolXmlDocument.h"

TXMLDocumentHolder::TXMLDocumentHolder(std::string sourceName, std::string_view text)
    : FSourceName(std::move(sourceName)), FLineStarts{0} {
  for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
    FLineStarts.push_back(i + 1);
}

std::pair<int, int> TXMLDocumentHolder::LineColumnOf(std::ptrdiff_t offset) const {
  if (offset < 0) return {0, 0};
  const auto at = static_cast<std::size_t>(offset);
  const auto next = std::upper_bound(FLineStarts.begin(), FLineStarts.end(), at);
  const auto line = static_cast<int>(next - FLineStarts.begin());
  return {line, static_cast<int>(at - *(next - 1)) + 1};
}

std::string FormatXMLPlace(const std::string& sourceName, int line, int column) {
  return line > 0 ? fmt::sprintf("%s:%d:%d", sourceName, line, column) : sourceName;
}

EXMLParseError::EXMLParseError(std::string sourceName, int line, int column, std::string description)
    : Exception(FormatXMLPlace(sourceName, line, column) + ": " + description),
      FSourceName(std::move(sourceName)),
      FLine(line),
      FColumn(column),
      FDescription(std::move(description)) {}

EXMLParseError::~EXMLParseError() = default;

// The parsed document behind the node wrappers; private to the library.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "KolXml.h"

// One parsed (or generated) document. Node wrappers share it, so it lives as long as any node.
class TXMLDocumentHolder {
 public:
  // text is the source as parsed; its line starts let nodes report where they stand.
  TXMLDocumentHolder(std::string sourceName, std::string_view text);
  TXMLDocumentHolder(const TXMLDocumentHolder&) = delete;
  TXMLDocumentHolder& operator=(const TXMLDocumentHolder&) = delete;

  pugi::xml_document& Document() { return FDocument; }
  const std::string& SourceName() const { return FSourceName; }
  // Line and column (from 1) of a byte offset in the source; {0, 0} when the offset is unknown.
  std::pair<int, int> LineColumnOf(std::ptrdiff_t offset) const;

 private:
  pugi::xml_document FDocument;
  std::string FSourceName;
  std::vector<std::size_t> FLineStarts;
};

using PXMLDocument = std::shared_ptr<TXMLDocumentHolder>;

// A counted node wrapper over one element of document.
TIntfPtr<IXMLNode> NewXMLNode(PXMLDocument document, pugi::xml_node element);

// The readers look up one child element per setting. For nodes of this library these go straight
// to the document, without a child list or, for the text, a node wrapper; other IXMLNode
// implementations take the interface's way.
TIntfPtr<IXMLNode> FindChildElement(const IXMLNode& node, std::string_view name);
// The text of the first child element of that name, as Text() gives it; false when there is none.
bool FindChildElementText(const IXMLNode& node, std::string_view name, std::string& text);

// "source:line:col", or just "source" when the place is unknown (line 0).
std::string FormatXMLPlace(const std::string& sourceName, int line, int column);

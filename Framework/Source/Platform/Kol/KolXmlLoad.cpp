// Making documents: parsing text or a file, and generating an empty element.
#include <fstream>
#include <iterator>

#include "KolXmlDocument.h"

namespace {

// Whitespace-only text is kept when it is an element's only content, so Text() gives what was
// written, while indentation between elements is dropped.
constexpr unsigned int KParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

}  // namespace

TIntfPtr<IXMLNode> LoadXMLDocument(std::string_view text, std::string sourceName) {
  auto holder = std::make_shared<TXMLDocumentHolder>(std::move(sourceName), text);
  const pugi::xml_parse_result result =
      holder->Document().load_buffer(text.data(), text.size(), KParseOptions, pugi::encoding_utf8);
  if (!result) {
    const auto [line, column] = holder->LineColumnOf(result.offset);
    throw EXMLParseError(holder->SourceName(), line, column, result.description());
  }
  return NewXMLNode(holder, holder->Document().document_element());
}

TIntfPtr<IXMLNode> LoadXMLFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EXMLParseError(fileName, 0, 0, "cannot read the file");
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return LoadXMLDocument(text, fileName);
}

TIntfPtr<IXMLNode> CreateXMLElement(std::string_view name) {
  auto holder = std::make_shared<TXMLDocumentHolder>("<generated>", std::string_view());
  const pugi::xml_node element = holder->Document().append_child(std::string(name).c_str());
  return NewXMLNode(holder, element);
}

// Making documents: parsing text or a file, and generating an empty element.
#include <fmt/printf.h>

#include <filesystem>
#include <fstream>

#include "KolXmlDocument.h"
#include "KolXmlStrict.h"

namespace {

// Whitespace-only text is kept when it is an element's only content, so Text() gives what was
// written, while indentation between elements is dropped.
constexpr unsigned int KParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

[[noreturn]] void RaiseAt(const TXMLDocumentHolder& holder, std::ptrdiff_t offset, std::string description) {
  const auto [line, column] = holder.LineColumnOf(offset);
  throw EXMLParseError(holder.SourceName(), line, column, std::move(description));
}

}  // namespace

TIntfPtr<IXMLNode> LoadXMLDocument(std::string_view text, std::string sourceName) {
  auto holder = std::make_shared<TXMLDocumentHolder>(std::move(sourceName), text);
  std::optional<TXMLFault> fault = FindEncodingFault(text);
  if (!fault) fault = FindCharacterFault(text);
  if (fault) RaiseAt(*holder, static_cast<std::ptrdiff_t>(fault->Offset), std::move(fault->Description));
  const pugi::xml_parse_result result =
      holder->Document().load_buffer(text.data(), text.size(), KParseOptions, pugi::encoding_utf8);
  if (!result) RaiseAt(*holder, result.offset, result.description());
  fault = FindMarkupFault(text);
  if (fault) RaiseAt(*holder, static_cast<std::ptrdiff_t>(fault->Offset), std::move(fault->Description));
  return NewXMLNode(holder, holder->Document().document_element());
}

namespace {

// A directory opens as a stream and fails only when read, with the library's own message; an
// endless device never ends: both are told apart from a file that cannot be opened.
std::string ReadXMLFile(const std::string& fileName) {
  std::error_code error;
  if (std::filesystem::is_directory(fileName, error))
    throw EXMLParseError(fileName, 0, 0, "cannot read the file: it is a directory");
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EXMLParseError(fileName, 0, 0, "cannot read the file");
  std::string text;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    if (text.size() + static_cast<std::size_t>(file.gcount()) > KXMLMaxFileSize)
      throw EXMLParseError(fileName, 0, 0,
                           fmt::sprintf("cannot read the file: it is larger than %d bytes", KXMLMaxFileSize));
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) throw EXMLParseError(fileName, 0, 0, "cannot read the file");
  return text;
}

}  // namespace

TIntfPtr<IXMLNode> LoadXMLFile(const std::string& fileName) { return LoadXMLDocument(ReadXMLFile(fileName), fileName); }

TIntfPtr<IXMLNode> CreateXMLElement(std::string_view name) {
  auto holder = std::make_shared<TXMLDocumentHolder>("<generated>", std::string_view());
  const pugi::xml_node element = holder->Document().append_child(std::string(name).c_str());
  return NewXMLNode(holder, element);
}

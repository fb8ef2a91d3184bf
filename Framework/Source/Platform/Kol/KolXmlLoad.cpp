// Making documents: parsing text or a file, and generating an empty element.
#include <fmt/printf.h>

#include "KolFiles.h"
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

// A directory, a FIFO, a device and a file too large are each told apart from a file that cannot
// be opened; none is read, and none makes the read wait.
std::string ReadXMLFile(const std::string& fileName) {
  TKolFileText file = ReadRegularFile(fileName, KXMLMaxFileSize);
  if (!file.Text)
    throw EXMLParseError(fileName, 0, 0, "cannot read the file" + (file.Why.empty() ? "" : ": " + file.Why));
  return std::move(*file.Text);
}

}  // namespace

TIntfPtr<IXMLNode> LoadXMLFile(const std::string& fileName) { return LoadXMLDocument(ReadXMLFile(fileName), fileName); }

TIntfPtr<IXMLNode> CreateXMLElement(std::string_view name) {
  auto holder = std::make_shared<TXMLDocumentHolder>("<generated>", std::string_view());
  const pugi::xml_node element = holder->Document().append_child(std::string(name).c_str());
  return NewXMLNode(holder, element);
}

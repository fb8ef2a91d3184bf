/// @file
/// KOL30 XML: element nodes over a parsed document, and the configuration value readers.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <string_view>
#include <vector>

#include "KolEnums.h"
#include "KolExceptions.h"
#include "KolInterfaces.h"

class IXMLNodeList;

/// One element of a parsed document. A node keeps its document alive.
class IXMLNode : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{6C1E5A80-2B7D-4C1E-9A57-0E3D1B7C4A11}");
  virtual std::string NodeName() const = 0;
  /// The element's own text (its text and CDATA children, concatenated), as written.
  virtual std::string Text() const = 0;
  /// The element children, in document order (comments, text and processing instructions are
  /// not listed, so they are harmless in configuration).
  virtual TIntfPtr<IXMLNodeList> ChildNodes() const = 0;
  virtual bool HasChildNodes() const = 0;
  virtual TIntfPtr<IXMLNode> ParentNode() const = 0;  ///< nil at the document element
  virtual bool HasAttribute(std::string_view name) const = 0;
  virtual std::string GetAttribute(std::string_view name) const = 0;  ///< "" when missing
  virtual std::vector<std::string> AttributeNames() const = 0;
  /// Where the element stands: the document's source name, line and column (from 1).
  virtual const std::string& SourceName() const = 0;
  virtual int Line() const = 0;
  virtual int Column() const = 0;
  /// `"source:line:col: <Name>"` for messages.
  virtual std::string Location() const = 0;
};

class IXMLNodeList : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{6C1E5A80-2B7D-4C1E-9A57-0E3D1B7C4A12}");
  virtual int Count() const = 0;
  virtual TIntfPtr<IXMLNode> Get(int index) const = 0;                   ///< index from 0; raises when out of range
  virtual TIntfPtr<IXMLNode> FindNode(std::string_view name) const = 0;  ///< nil if none
};

/// A document that cannot be parsed: names the source, line and column.
class EXMLParseError : public Exception {
 public:
  EXMLParseError(std::string sourceName, int line, int column, std::string description);
  ~EXMLParseError() override;
  const std::string& SourceName() const noexcept { return FSourceName; }
  int Line() const noexcept { return FLine; }
  int Column() const noexcept { return FColumn; }
  const std::string& Description() const noexcept { return FDescription; }

 private:
  std::string FSourceName;
  int FLine, FColumn;
  std::string FDescription;
};

/// Parses text and gives its document element. sourceName appears in locations and errors. The
/// text is XML 1.0 in UTF-8 (a byte order mark may lead): EXMLParseError also names, with line and
/// column, what a lenient parser would read past: another encoding (UTF-16, a declared
/// ISO-8859-1), bytes that are not UTF-8, forbidden control characters, an attribute given twice,
/// a second root element, an entity other than the five predefined ones, a bare '&', and a
/// character reference to a character that XML does not allow (&#0;).
TIntfPtr<IXMLNode> LoadXMLDocument(std::string_view text, std::string sourceName);
/// The largest file LoadXMLFile reads (16 MiB): a configuration is far smaller, and an endless
/// device would otherwise be read until memory runs out.
constexpr int KXMLMaxFileSize = 16 * 1024 * 1024;
/// Reads and parses a file; raises EXMLParseError naming the file when it cannot be read (also a
/// directory, or a file larger than KXMLMaxFileSize).
TIntfPtr<IXMLNode> LoadXMLFile(const std::string& fileName);
/// A new, empty element in a document of its own.
TIntfPtr<IXMLNode> CreateXMLElement(std::string_view name);
/// The first child element of that name, or nil (also for a nil node): what
/// node->ChildNodes()->FindNode(name) gives, without building the list of all children.
TIntfPtr<IXMLNode> FindChildNode(const IXMLNode* node, std::string_view name);

// ---------------------------------------------------------------------------------------------
// Value readers. Each accepts a nil node (and a missing element or attribute) and then gives its
// default. A value that is present but cannot be read raises EConfigurationError naming the
// element or attribute, the text found and what is accepted. Text forms:
//   Boolean: True/False in any letter case, or 1/0; blanks around the value are ignored.
//   Integer: decimal digits with an optional sign, within 32 bits; blanks around it are ignored.
//   Enumeration: the identifier with or without its prefix, in any letter case.
// An element or attribute whose text is empty (or only blanks) counts as missing for the Boolean,
// integer and enumeration forms.

/// String form: the element's text, trimmed of blanks and control characters when trim is true.
std::string GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, const std::string& def,
                              bool trim = true);
std::string GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, const char* def,
                              bool trim = true);
bool GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, bool def);
int GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, int def);
/// Enumeration form: gives the ordinal. defName is a name as configuration would write it.
int GetChildNodeValue(const IXMLNode* node, std::string_view name, bool flag, std::string_view defName,
                      const TEnumTypeInfo& typeInfo, std::string_view prefix);

/// The same four forms for an attribute, each with one trailing argument more, always empty.
std::string GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, const std::string& def,
                             std::string_view extra = {});
std::string GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, const char* def,
                             std::string_view extra = {});
bool GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, bool def, std::string_view extra = {});
int GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, int def, std::string_view extra = {});
int GetNodeAttrValue(const IXMLNode* node, std::string_view name, bool flag, std::string_view defName,
                     const TEnumTypeInfo& typeInfo, std::string_view prefix, std::string_view extra = {});

/// Text readers shared by the forms above; where names the value in messages. (Enumeration names
/// are read by GetEnumValue, beside the enumeration type information.)
bool ParseBooleanText(std::string_view text, std::string_view where);
int ParseIntegerText(std::string_view text, std::string_view where);
/// How messages name a node's child element or attribute: `"file:3:5: <Label>/<Alignment>"` or
/// `"file:3:5: <Panel> attribute Size"`.
std::string DescribeChild(const IXMLNode* node, std::string_view childName);
std::string DescribeAttribute(const IXMLNode* node, std::string_view attrName);

/// Typed convenience over the enumeration forms.
template <class E>
E GetChildNodeEnum(const IXMLNode* node, std::string_view name, std::string_view defName, std::string_view prefix) {
  return static_cast<E>(GetChildNodeValue(node, name, false, defName, TypeInfo<E>(), prefix));
}
template <class E>
E GetNodeAttrEnum(const IXMLNode* node, std::string_view name, std::string_view defName, std::string_view prefix) {
  return static_cast<E>(GetNodeAttrValue(node, name, false, defName, TypeInfo<E>(), prefix, ""));
}

#pragma GCC visibility pop

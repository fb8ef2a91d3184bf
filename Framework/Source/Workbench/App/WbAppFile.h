// The application file as declarations, read and checked before anything is created, so that a
// faulty file stops the run before any view part exists.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "KolXml.h"
#include "NUVHostObjects.h"
#include "WbWarning.h"

struct TWbViewPartDecl {
  TIntfPtr<IXMLNode> Element;
  std::string Name, Factory, Caption, WorkSpace;
  TIntfPtr<IXMLNode> ExtData;  // nil: the view part has no extension data
  int WorkItem = -1;           // index into TWbAppDecl::WorkItems
};

struct TWbWorkItemDecl {
  TIntfPtr<IXMLNode> Element;
  std::string ID;
  int Parent = -1;  // -1: a root work item, hosted by the window
  std::vector<std::pair<std::string, std::string>> Values;
};

// One step of building the application, in document order.
struct TWbDeclStep {
  enum TKind { skWorkItem, skViewPart } Kind;
  int Index;
};

struct TWbAppDecl {
  TIntfPtr<IXMLNode> Element;  // <Workbench>
  std::string Name = "Workbench";
  std::string Module;  // as written; empty when the file names none
  bool ImageService = true;
  std::vector<TNUVCommandInfo> Commands;
  std::vector<TWbWorkItemDecl> WorkItems;  // document order
  std::vector<TWbViewPartDecl> ViewParts;  // document order
  std::vector<TWbDeclStep> Steps;
  // Index into ViewParts by name, kept by the parser so that name checks stay linear in the file.
  std::unordered_map<std::string, int> ViewPartsByName;
  // What no reader looks at, in document order: the run goes on without it.
  std::vector<TWbWarning> Warnings;

  int FindViewPart(const std::string& name) const;  // -1 when there is none
};

// The elements of an application file nest at most this deep (<Workbench> is level 1): building
// the application, and writing what it built, recurse along the nesting.
constexpr int KWbMaxNesting = 256;

// Raises EXMLParseError (unreadable, not well-formed), EConfigurationError (a value that cannot be
// read) or EWbLoadError (a structural fault), each naming the place. With strict, a setting that
// nothing reads is a fault too (EWbLoadError naming the first one).
TWbAppDecl LoadAppFile(const std::string& fileName, bool strict = false);
TWbAppDecl ParseAppFile(const TIntfPtr<IXMLNode>& root);

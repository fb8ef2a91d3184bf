#include "WbAppFile.h"

#include <initializer_list>

#include "WbAppFileSchema.h"
#include "WbErrors.h"
#include "WbSettingsCheck.h"

int TWbAppDecl::FindViewPart(const std::string& name) const {
  auto it = ViewPartsByName.find(name);
  return it == ViewPartsByName.end() ? -1 : it->second;
}

namespace {

std::string RequiredAttribute(const IXMLNode& node, const char* name) {
  std::string value = GetNodeAttrValue(&node, name, false, "");
  if (value.empty()) throw EWbLoadError(node, "<" + node.NodeName() + "> needs the attribute " + name);
  return value;
}

[[noreturn]] void RaiseUnexpected(const IXMLNode& child, const IXMLNode& parent,
                                  std::initializer_list<const char*> expected) {
  std::string names;
  for (const char* name : expected) names += (names.empty() ? "<" : ", <") + std::string(name) + ">";
  throw EWbLoadError(child,
                     "unexpected element <" + child.NodeName() + "> in <" + parent.NodeName() + ">; expected " + names);
}

using TNode = TIntfPtr<IXMLNode>;

template <class F>
void ForEachChild(const IXMLNode& node, F&& visit) {
  auto children = node.ChildNodes();
  for (int i = 0; i < children->Count(); ++i) visit(children->Get(i));
}

// Walks the whole document without recursion, before anything that recurses reads it.
void CheckNesting(const TNode& root) {
  std::vector<std::pair<TNode, int>> pending{{root, 1}};
  while (!pending.empty()) {
    auto [node, level] = std::move(pending.back());
    pending.pop_back();
    if (level > KWbMaxNesting)
      throw EWbLoadError(*node, "<" + node->NodeName() + "> is nested " + std::to_string(level) +
                                    " elements deep; an application file nests at most " +
                                    std::to_string(KWbMaxNesting));
    auto children = node->ChildNodes();
    for (int i = children->Count() - 1; i >= 0; --i) pending.emplace_back(children->Get(i), level + 1);
  }
}

class TWbAppFileParser {
 public:
  TWbAppDecl Parse(const TNode& root) {
    CheckNesting(root);
    if (root->NodeName() != "Workbench")
      throw EWbLoadError(*root, "the document element is <" + root->NodeName() + ">; expected <Workbench>");
    FDecl.Element = root;
    CheckOwnAttributes(*root);
    FDecl.Name = GetNodeAttrValue(root.get(), "Name", false, "Workbench");
    FDecl.Module = GetNodeAttrValue(root.get(), "Module", false, "");
    FDecl.ImageService = GetNodeAttrValue(root.get(), "ImageService", false, true);
    ForEachChild(*root, [&](const TNode& child) {
      if (child->NodeName() == "Commands")
        ParseCommands(*child);
      else if (child->NodeName() == "WorkItem")
        ParseWorkItem(child, -1);
      else
        RaiseUnexpected(*child, *root, {"Commands", "WorkItem"});
    });
    CheckWorkSpaces();
    return std::move(FDecl);
  }

 private:
  void CheckOwnAttributes(const IXMLNode& node, const std::string* viewPart = nullptr) {
    CheckAttributes(node, AppFileAttributeNames(node.NodeName()), viewPart, FDecl.Warnings);
  }

  void ParseCommands(const IXMLNode& node) {
    CheckOwnAttributes(node);
    ForEachChild(node, [&](const TNode& child) {
      if (child->NodeName() != "Command") RaiseUnexpected(*child, node, {"Command"});
      CheckOwnAttributes(*child);
      TNUVCommandInfo command;
      command.ID = RequiredAttribute(*child, "ID");
      if (!FCommandIDs.insert(command.ID).second)
        throw EWbLoadError(*child, "command '" + command.ID + "' is declared twice");
      command.Caption = GetNodeAttrValue(child.get(), "Caption", false, "");
      command.Hint = GetNodeAttrValue(child.get(), "Hint", false, "");
      command.ImageFile = GetNodeAttrValue(child.get(), "ImageFile", false, "");
      if (child->HasAttribute("ActionVisible"))
        command.ActionVisible = GetNodeAttrValue(child.get(), "ActionVisible", false, true);
      FDecl.Commands.push_back(command);
    });
  }

  void ParseWorkItem(const TNode& node, int parent) {
    TWbWorkItemDecl item;
    item.Element = node;
    item.ID = RequiredAttribute(*node, "ID");
    CheckOwnAttributes(*node);
    item.Parent = parent;
    const int index = static_cast<int>(FDecl.WorkItems.size());
    if (auto [it, added] = FWorkItemsByID.emplace(item.ID, index); !added)
      throw EWbLoadError(*node, "work item '" + item.ID + "' is declared twice (first at " +
                                    NodePlace(*FDecl.WorkItems[static_cast<size_t>(it->second)].Element) + ")");
    FDecl.WorkItems.push_back(item);
    FDecl.Steps.push_back({TWbDeclStep::skWorkItem, index});
    ForEachChild(*node, [&](const TNode& child) {
      if (child->NodeName() == "Value") {
        CheckOwnAttributes(*child);
        FDecl.WorkItems[static_cast<size_t>(index)].Values.emplace_back(
            RequiredAttribute(*child, "Name"), GetNodeAttrValue(child.get(), "Value", false, ""));
      } else if (child->NodeName() == "ViewPart") {
        ParseViewPart(child, index);
      } else if (child->NodeName() == "WorkItem") {
        ParseWorkItem(child, index);
      } else {
        RaiseUnexpected(*child, *node, {"Value", "ViewPart", "WorkItem"});
      }
    });
  }

  void ParseViewPart(const TNode& node, int workItem) {
    TWbViewPartDecl viewPart;
    viewPart.Element = node;
    viewPart.Name = RequiredAttribute(*node, "Name");
    viewPart.Factory = RequiredAttribute(*node, "Factory");
    // The caption is kept as written: blanks may be meant.
    viewPart.Caption = node->GetAttribute("Caption");
    viewPart.WorkSpace = GetNodeAttrValue(node.get(), "WorkSpace", false, "");
    viewPart.WorkItem = workItem;
    CheckOwnAttributes(*node, &viewPart.Name);
    ForEachChild(*node, [&](const TNode& child) {
      if (child->NodeName() != "ExtData" || viewPart.ExtData) RaiseUnexpected(*child, *node, {"ExtData"});
      viewPart.ExtData = child;
      CheckExtData(*child, viewPart.Factory, viewPart.Name, FDecl.Warnings);
    });
    if (int first = FDecl.FindViewPart(viewPart.Name); first >= 0)
      throw EWbLoadError(*node, "view part name '" + viewPart.Name + "' is used twice (first at " +
                                    NodePlace(*FDecl.ViewParts[static_cast<size_t>(first)].Element) + ")");
    const int index = static_cast<int>(FDecl.ViewParts.size());
    FDecl.ViewPartsByName.emplace(viewPart.Name, index);
    FDecl.Steps.push_back({TWbDeclStep::skViewPart, index});
    FDecl.ViewParts.push_back(viewPart);
  }

  void CheckWorkSpaces() const {
    for (const auto& viewPart : FDecl.ViewParts) {
      if (viewPart.WorkSpace.empty()) continue;
      if (viewPart.WorkSpace == viewPart.Name)
        throw EWbLoadError(*viewPart.Element, "view part '" + viewPart.Name + "' cannot be its own work space");
      if (FDecl.FindViewPart(viewPart.WorkSpace) < 0)
        throw EWbLoadError(*viewPart.Element, "unknown work space '" + viewPart.WorkSpace + "' of view part '" +
                                                  viewPart.Name + "': no view part has that name");
    }
  }

  TWbAppDecl FDecl;
  std::unordered_set<std::string> FCommandIDs;
  std::unordered_map<std::string, int> FWorkItemsByID;
};

}  // namespace

TWbAppDecl ParseAppFile(const TIntfPtr<IXMLNode>& root) { return TWbAppFileParser().Parse(root); }

TWbAppDecl LoadAppFile(const std::string& fileName, bool strict) {
  TWbAppDecl decl = ParseAppFile(LoadXMLFile(fileName));
  if (strict && !decl.Warnings.empty()) {
    const TWbWarning& first = decl.Warnings.front();
    const size_t more = decl.Warnings.size() - 1;
    throw EWbLoadError(first.Place() + ": " + first.Message + " (--strict makes it an error" +
                       (more > 0 ? "; " + std::to_string(more) + " more" : std::string()) + ")");
  }
  return decl;
}

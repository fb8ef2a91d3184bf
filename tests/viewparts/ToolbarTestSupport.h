// Helpers for toolbar tests: toolbar view parts from inline XML and item trees as text.
#pragma once

#include <string>

#include "NUVToolbarViewPart.h"
#include "TestHost.h"

// "A B- C(C1 C2) D": captions in order, sub-items in parentheses, "-" after an invisible item.
inline std::string DescribeItems(const TTBCustomItem* parent) {
  std::string text;
  for (int i = 0; i < parent->Count(); ++i) {
    const TTBCustomItem* item = parent->GetItem(i);
    if (!text.empty()) text += ' ';
    text += item->GetCaption();
    if (!item->GetVisible()) text += '-';
    if (item->Count() > 0) text += "(" + DescribeItems(item) + ")";
  }
  return text;
}

inline std::string GroupIndexes(const TTBCustomItem* parent) {
  std::string text;
  for (int i = 0; i < parent->Count(); ++i)
    text += (i ? " " : "") + std::to_string(parent->GetItem(i)->GetGroupIndex());
  return text;
}

// A toolbar view part initialised in the host's window, its control named after it as the host
// does. items is the inside of its <Toolbar> element; attributes go on the element.
inline TIntfPtr<TNUVToolBarViewPart> MakeToolbar(TTestHost& host, const std::string& name, const std::string& items,
                                                 const std::string& attributes = "",
                                                 const std::string& moreExtData = "") {
  auto ext = host.Extension(
      name, name + " bar", "<ExtData><Toolbar " + attributes + ">" + items + "</Toolbar>" + moreExtData + "</ExtData>");
  auto toolbar = MakeCounted<TNUVToolBarViewPart>(ext.get(), host.WorkItemIntf());
  toolbar->Initialize();
  toolbar->GetControl()->SetName(name);
  return toolbar;
}

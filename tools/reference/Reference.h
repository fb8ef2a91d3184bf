// The two generated documents, as text.
#pragma once

#include <string>

// docs/viewparts.md: one section per factory, with its settings, what it publishes, a minimal
// application and its example; then the work-space settings and the application file's elements.
std::string ReferenceMarkdown();
// docs/nuv-workbench.xsd: an XML Schema of application files, with every kind's element in ExtData.
std::string ReferenceSchema();

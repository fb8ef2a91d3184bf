// The small forms the HTML picture is written in: escaped text, colours, fonts, embedded images
// and script arguments.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// object[key], or null when object has no such member (a const lookup must not assume one).
const nlohmann::json& Field(const nlohmann::json& object, const char* key);
// object[key] when it is a string, else "" (a dump writes null for what is not set).
std::string StringField(const nlohmann::json& object, const char* key);
// Text for element content and attribute values: & < > " ' escaped.
std::string HtmlEscape(const std::string& text);
// A TColor as CSS ("#rrggbb"); "" for clDefault, clNone and anything else that means "inherit".
std::string CssColor(const nlohmann::json& color);
// The CSS of a dumped font {"Name", "Size", "Color", "Style"}.
std::string FontCss(const nlohmann::json& font);
// <img> with the file as a data URI when ResolveImageFile accepts it in baseDir and it can be
// read, else a placeholder box named after the file that says why (not found, refused).
std::string ImageHtml(const std::string& file, const std::string& baseDir);
// One argument of a script line, quoted when the script would otherwise split or cut it.
std::string ScriptArg(const std::string& text);
// A caption as shown, escaped, with its access key (the character after the first single `&`)
// underlined: <u>N</u>ew.
std::string CaptionHtml(const std::string& caption);
// One of the lines that caption is drawn as, escaped, with the access key underlined when that
// line shows it.
std::string CaptionLineHtml(const std::string& caption, const std::vector<std::string>& lines, size_t line);
// ' title="hint"' for a hint the picture shows on hover; "" for none.
std::string TitleAttribute(const std::string& hint);

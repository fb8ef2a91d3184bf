#include "WbHtmlText.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "TbxKeyboard.h"
#include "TbxSystemColors.h"
#include "WbImageFiles.h"

namespace {

std::string HexColor(std::uint32_t rgb) {
  static const char* digits = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += digits[(rgb >> shift) & 0xF];
  return text;
}

std::string Base64(const std::string& bytes) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const std::uint32_t n =
        (std::uint8_t(bytes[i]) << 16) | (std::uint8_t(bytes[i + 1]) << 8) | std::uint8_t(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) text += alphabet[(n >> shift) & 63];
  }
  if (i < bytes.size()) {
    const bool two = i + 1 < bytes.size();
    const std::uint32_t n = (std::uint8_t(bytes[i]) << 16) | (two ? std::uint8_t(bytes[i + 1]) << 8 : 0);
    text += alphabet[(n >> 18) & 63];
    text += alphabet[(n >> 12) & 63];
    text += two ? alphabet[(n >> 6) & 63] : '=';
    text += '=';
  }
  return text;
}

std::string MediaType(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".gif") return "image/gif";
  if (extension == ".jpg" || extension == ".jpeg") return "image/jpeg";
  if (extension == ".bmp") return "image/bmp";
  if (extension == ".svg") return "image/svg+xml";
  if (extension == ".ico") return "image/x-icon";
  return "image/png";
}

// A font name goes into a quoted CSS string inside a quoted attribute: drop what could end either.
std::string CssFontName(std::string name) {
  std::erase_if(name, [](char c) { return std::string_view("'\"\\<>;{}&").find(c) != std::string_view::npos; });
  return name;
}

}  // namespace

const nlohmann::json& Field(const nlohmann::json& object, const char* key) {
  static const nlohmann::json null;
  if (!object.is_object()) return null;
  auto it = object.find(key);
  return it == object.end() ? null : *it;
}

std::string StringField(const nlohmann::json& object, const char* key) {
  const nlohmann::json& value = Field(object, key);
  return value.is_string() ? value.get<std::string>() : std::string();
}

std::string HtmlEscape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string CssColor(const nlohmann::json& color) {
  if (!color.is_number_unsigned()) return "";
  const std::optional<std::uint32_t> rgb = ColorToRgb(color.get<std::uint32_t>());
  return rgb ? HexColor(*rgb) : "";
}

std::string FontCss(const nlohmann::json& font) {
  if (!font.is_object()) return "";
  const std::string name = CssFontName(font.value("Name", std::string()));
  const std::string family = CssFontName(font.value("Family", std::string()));
  // The face the toolkit measured with first, so that the text fits the boxes it was measured for.
  std::string css = "font-family:" + (family.empty() ? "" : "'" + family + "',") + "'" + name + "',sans-serif;";
  if (const int pixels = font.value("PixelSize", 0); pixels > 0)
    css += "font-size:" + std::to_string(pixels) + "px;";
  else
    css += "font-size:" + std::to_string(font.value("Size", 8)) + "pt;";
  if (const int lineHeight = font.value("LineHeight", 0); lineHeight > 0)
    css += "line-height:" + std::to_string(lineHeight) + "px;";
  if (const std::string color = CssColor(font["Color"]); !color.empty()) css += "color:" + color + ";";
  std::string decoration;
  for (const auto& style : font.value("Style", nlohmann::json::array())) {
    if (style == "fsBold") css += "font-weight:bold;";
    if (style == "fsItalic") css += "font-style:italic;";
    if (style == "fsUnderline") decoration += " underline";
    if (style == "fsStrikeOut") decoration += " line-through";
  }
  if (!decoration.empty()) css += "text-decoration:" + decoration.substr(1) + ";";
  return css;
}

std::string ImageHtml(const std::string& file, const std::string& baseDir) {
  const TWbImageFile image = ResolveImageFile(file, baseDir);
  if (const std::optional<std::string> bytes = ReadImageFile(image))
    return "<img class=\"nuv-image\" alt=\"" + HtmlEscape(file) + "\" src=\"data:" + MediaType(image.Path) +
           ";base64," + Base64(*bytes) + "\">";
  const std::string why = image.Refusal.empty() ? "not found" : "refused: " + image.Refusal;
  return "<span class=\"nuv-image nuv-image-missing\" title=\"" + HtmlEscape(file) + " (" + HtmlEscape(why) +
         ")\"></span>";
}

std::string ScriptArg(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t#\"\\") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

namespace {
std::string UnderlinedHtml(const std::string& text, int offset, int length) {
  const auto at = static_cast<std::size_t>(offset), count = static_cast<std::size_t>(length);
  return HtmlEscape(text.substr(0, at)) + "<u>" + HtmlEscape(text.substr(at, count)) + "</u>" +
         HtmlEscape(text.substr(at + count));
}
}  // namespace

std::string CaptionHtml(const std::string& caption) {
  if (!HasAccessKeyMarkers(caption)) return HtmlEscape(caption);
  const TAccessKeyText shown = ParseAccessKey(caption);
  if (shown.KeyOffset < 0) return HtmlEscape(shown.Text);
  return UnderlinedHtml(shown.Text, shown.KeyOffset, shown.KeyLength);
}

std::string CaptionLineHtml(const std::string& caption, const std::vector<std::string>& lines, size_t line) {
  const TAccessKeyPlace place = FindAccessKey(ParseAccessKey(caption), lines);
  if (place.Line != static_cast<int>(line)) return HtmlEscape(lines[line]);
  return UnderlinedHtml(lines[line], place.Offset, place.Length);
}

std::string TitleAttribute(const std::string& hint) {
  return hint.empty() ? std::string() : " title=\"" + HtmlEscape(hint) + "\"";
}

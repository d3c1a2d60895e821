#pragma once

#include <string>
#include <vector>

namespace quenmark::testing {

// Localization file text in the shipped layout, for tests that build their own files.
// `items` are whole item lines without their indentation; `nl` is the line end.
inline std::string languageGroup(const std::string& name, const std::vector<std::string>& items,
                                 const std::string& nl = "\r\n") {
  std::string g = "<LANGUAGE_GROUP xml:lang=\"xx\">" + nl + "\t<LANGUAGE_NAME>" + name +
                  "</LANGUAGE_NAME>" + nl + "\t<DESCRIPTION></DESCRIPTION>" + nl +
                  "\t<TRANSLATION_ITEMS>" + nl;
  for (const auto& item : items) g += "\t\t" + item + nl;
  return g + "\t</TRANSLATION_ITEMS>" + nl + "</LANGUAGE_GROUP>" + nl;
}

inline std::string localizationFile(const std::vector<std::string>& groups,
                                    const std::string& nl = "\r\n") {
  std::string f = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + nl + "<XML_DIZ_INFO>" + nl;
  for (const auto& g : groups) f += g;
  return f + "</XML_DIZ_INFO>" + nl;
}

// "<KEY>text</KEY>"
inline std::string item(const std::string& key, const std::string& text) {
  return "<" + key + ">" + text + "</" + key + ">";
}

}  // namespace quenmark::testing

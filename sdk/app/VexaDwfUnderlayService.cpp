#include "sdk/app/VexaDwfUnderlayService.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "sdk/app/VexaUnderlayFiles.h"
#include "sdk/app/VexaZipArchive.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbUnderlayFile.h"

namespace {

// The text of an XML attribute value.
std::string unescape(const std::string& value) {
  static const std::pair<const char*, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}};
  std::string out;
  for (size_t i = 0; i < value.size();) {
    bool replaced = false;
    for (const auto& [entity, ch] : kEntities)
      if (value.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
        out += ch;
        i += std::char_traits<char>::length(entity);
        replaced = true;
        break;
      }
    if (!replaced) out += value[i++];
  }
  return out;
}

// The value of the attribute `name` among the attributes of a tag; nothing when absent.
std::optional<std::string> attribute(const std::string& tag, const std::string& name) {
  for (size_t at = tag.find(name); at != std::string::npos; at = tag.find(name, at + 1)) {
    const bool starts = at == 0 || std::isspace(static_cast<unsigned char>(tag[at - 1]));
    size_t i = at + name.size();
    while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
    if (!starts || i >= tag.size() || tag[i] != '=') continue;
    ++i;
    while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
    if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\'')) continue;
    const size_t close = tag.find(tag[i], i + 1);
    if (close == std::string::npos) return std::nullopt;
    return unescape(tag.substr(i + 1, close - i - 1));
  }
  return std::nullopt;
}

// The titles of the manifest's sections (elements named Section, with any prefix), in order.
std::vector<std::string> sectionTitles(const std::string& manifest) {
  std::vector<std::string> titles;
  for (size_t open = manifest.find('<'); open != std::string::npos;
       open = manifest.find('<', open + 1)) {
    const size_t close = manifest.find('>', open);
    if (close == std::string::npos) break;
    const std::string tag = manifest.substr(open + 1, close - open - 1);
    const size_t nameEnd = tag.find_first_of(" \t\r\n/");
    const std::string name = tag.substr(0, nameEnd);
    const size_t colon = name.find(':');
    if ((colon == std::string::npos ? name : name.substr(colon + 1)) != "Section") continue;
    if (const std::optional<std::string> title = attribute(tag, "title")) titles.push_back(*title);
  }
  return titles;
}

}  // namespace

Vexa::ErrorStatus VexaDwfUnderlayService::getFile(const wchar_t* path, const wchar_t*,
                                                  QvDbUnderlayFile*& file) const {
  file = nullptr;
  std::string local;
  std::string head;
  if (const Vexa::ErrorStatus es = vexaReadUnderlayHead(path, 4, local, head); es != Vexa::eOk)
    return es;
  if (head != "PK\x03\x04") return Vexa::eNotThisFileFormat;
  std::ifstream in(local, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Vexa::eFileAccessError;
  const std::optional<VexaZipArchive> archive = VexaZipArchive::read(std::move(bytes));
  if (!archive) return Vexa::eDamagedFile;
  const std::optional<std::string> manifest = archive->contents("manifest.xml");
  if (!manifest) return Vexa::eDamagedFile;
  std::vector<QvDbUnderlayItem> items;
  for (const std::string& title : sectionTitles(*manifest))
    items.emplace_back(QvString(qvWidenUtf8(title)), QvGePoint2d(), QvGePoint2d());
  if (items.empty()) return Vexa::eDamagedFile;
  file = new QvDbUnderlayFile(QvString(path), std::move(items));
  return Vexa::eOk;
}

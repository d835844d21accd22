#include "platform/http/RequestHeaderList.h"

#include <algorithm>
#include <array>

#include "base/TextOps.h"
#include "platform/http/HttpApi.h"

namespace vantorel::http {

namespace {

bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoreCase(Text(a), Text(b)); }

bool IsValidName(std::string_view name) {
  if (name.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u != 0x7F && c != ':';
  });
}

// A CR or LF inside a line would smuggle a header of its own onto the wire.
bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

bool RequestHeaderList::Apply(std::string_view lines, std::uint32_t modifiers) {
  bool allAccepted = true;
  while (!lines.empty()) {
    std::size_t end = lines.find("\r\n");
    std::string_view line = lines.substr(0, end);
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 2);
    if (line.empty()) continue;
    if (!ApplyLine(line, modifiers)) allAccepted = false;
  }
  return allAccepted;
}

bool RequestHeaderList::ApplyLine(std::string_view line, std::uint32_t modifiers) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || HasLineBreakOrNul(line)) return false;
  std::string_view name = line.substr(0, colon);
  std::string_view value = line.substr(colon + 1);
  if (!IsValidName(name)) return false;

  auto existing = FindHeader(name);
  bool exists = existing != headers_.end();
  if (modifiers & kAddIfNew) {
    if (exists) return false;
  } else if (modifiers & kReplace) {
    if (exists) {
      if (value.empty() && !(modifiers & kAdd)) {
        headers_.erase(existing);
      } else {
        existing->value = value;
      }
      return true;
    }
    if (!(modifiers & kAdd)) return false;
  }
  headers_.push_back({std::string(name), std::string(value)});
  return true;
}

bool RequestHeaderList::Contains(std::string_view name) const {
  return std::any_of(headers_.begin(), headers_.end(),
                     [&](const Header& header) { return SameName(header.name, name); });
}

std::vector<RequestHeaderList::Header>::iterator RequestHeaderList::FindHeader(std::string_view name) {
  return std::find_if(headers_.begin(), headers_.end(),
                      [&](const Header& header) { return SameName(header.name, name); });
}

CurlHeaderList RequestHeaderList::ToCurlList() const {
  curl_slist* list = nullptr;
  auto append = [&list](const std::string& line) {
    if (curl_slist* grown = curl_slist_append(list, line.c_str())) list = grown;
  };
  for (const Header& header : headers_) {
    // libcurl reads "name:" as "remove" and "name;" as "send with an empty value".
    bool blankValue = header.value.find_first_not_of(" \t") == std::string::npos;
    append(blankValue ? header.name + ";" : header.name + ":" + header.value);
  }
  static constexpr std::array<const char*, 3> kLibraryHeaders = {"Accept", "Expect", "Content-Type"};
  for (const char* name : kLibraryHeaders) {
    if (!Contains(name)) append(std::string(name) + ":");
  }
  return CurlHeaderList(list);
}

}  // namespace vantorel::http

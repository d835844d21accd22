#include "face/RequestTemplates.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

struct Placeholder {
  Text word;
  Text value;
};

// Every placeholder is filled in a single pass, so a value that happens to
// hold another placeholder's word stays as it was given.
Text FillTemplate(const Text& templ, const std::vector<Placeholder>& placeholders) {
  std::size_t extra = 0;
  for (const Placeholder& p : placeholders) extra += p.value.size();
  Text out;
  out.reserve(templ.size() + extra);
  std::size_t pos = 0;
  while (pos < templ.size()) {
    const Placeholder* hit = nullptr;
    for (const Placeholder& p : placeholders)
      if (templ.compare(pos, p.word.size(), p.word) == 0) {
        hit = &p;
        break;
      }
    if (hit) {
      out += hit->value;
      pos += hit->word.size();
    } else {
      const std::size_t width = static_cast<unsigned char>(templ[pos]) >= 0x80 && pos + 1 < templ.size() ? 2 : 1;
      out.append(templ, pos, width);
      pos += width;
    }
  }
  return out;
}

const Text& SearchTemplate() {
  static const Text text = FromUtf8(
      "{\r\n"
      "    \"image\": \"图片1\",\r\n"
      "    \"image_type\": \"BASE64\",\r\n"
      "    \"group_id_list\": \"用户组\",\r\n"
      "    \"face_type\": \"LIVE\",\r\n"
      "    \"quality_control\": \"LOW\",\r\n"
      "    \"liveness_control\": \"NONE\"\r\n"
      "}");
  return text;
}

const Text& RegisterTemplate() {
  static const Text text = FromUtf8(
      "{\r\n"
      "    \"image\": \"图片\",\r\n"
      "    \"image_type\": \"BASE64\",\r\n"
      "    \"group_id\": \"用户组ID\",\r\n"
      "    \"user_id\": \"用户ID\",\r\n"
      "    \"user_info\": \"用户信息\",\r\n"
      "    \"quality_control\": \"LOW\",\r\n"
      "    \"liveness_control\": \"NONE\"\r\n"
      "}");
  return text;
}

void AppendEscaped(Text& out, char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20) {
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
    out += code;
  } else {
    out += c;
  }
}

}  // namespace

Text EscapeJsonString(const Text& value) {
  Text out;
  out.reserve(value.size());
  for (std::size_t pos = 0; pos < value.size();) {
    // The second byte of a double-byte character may be 0x5C, a backslash in
    // ASCII; it belongs to its character and is not escaped.
    if (static_cast<unsigned char>(value[pos]) >= 0x80 && pos + 1 < value.size()) {
      out.append(value, pos, 2);
      pos += 2;
    } else {
      AppendEscaped(out, value[pos++]);
    }
  }
  return out;
}

Text SearchRequestBody(const Text& base64Picture, const Text& groupIdList) {
  static const Text picture = FromUtf8("图片1");
  static const Text groups = FromUtf8("用户组");
  return FillTemplate(SearchTemplate(), {{picture, base64Picture}, {groups, EscapeJsonString(groupIdList)}});
}

Text RegisterRequestBody(const Text& base64Picture, const Text& userId, const Text& groupId,
                         const Text& userInfo) {
  static const Text picture = FromUtf8("图片");
  static const Text user = FromUtf8("用户ID");
  static const Text group = FromUtf8("用户组ID");
  static const Text info = FromUtf8("用户信息");
  return FillTemplate(RegisterTemplate(), {{picture, base64Picture},
                                           {user, EscapeJsonString(userId)},
                                           {group, EscapeJsonString(groupId)},
                                           {info, EscapeJsonString(userInfo)}});
}

}  // namespace vantorel

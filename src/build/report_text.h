#pragma once
// Text as the build's report files need it. Tools print bytes, not always UTF-8 (a Latin-1
// file name, a stray control character); a report that a server cannot parse is worth nothing,
// so bytes that are not UTF-8 are read as Latin-1 and characters XML cannot hold are replaced.
#include <string>
#include <string_view>

namespace reporttext {

// Valid UTF-8: valid sequences kept, any other byte taken as the Latin-1 character it is.
std::string utf8(std::string_view bytes);
// A JSON string literal, quotes included.
std::string json(std::string_view text);
// Text for XML content or an attribute value in double quotes; line breaks kept as such in
// content, as character references in attributes.
std::string xml(std::string_view text, bool attribute = false);
// A path for a URI: "/" between the parts, everything outside the unreserved set escaped.
std::string uriPath(std::string_view path);
// file:// URI of an absolute host path; a folder's ends in "/".
std::string fileUri(std::string_view hostPath, bool folder = false);

}  // namespace reporttext

// UTF-8 inside the tool, UTF-16 at the Windows API.
#ifndef VORMA_HOST_WINDOWS_TEXT_H_
#define VORMA_HOST_WINDOWS_TEXT_H_

#include <string>
#include <string_view>

namespace vorma {

std::wstring to_wide(std::string_view utf8);
std::string to_utf8(std::wstring_view wide);

}  // namespace vorma

#endif  // VORMA_HOST_WINDOWS_TEXT_H_

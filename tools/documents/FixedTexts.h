#pragma once

#include <filesystem>

namespace statdesk::shipped {

// INSTRUCT.TXT (quick instructions) and ORDERFRM.DOC (the form for ordering a branded copy).
void writeFixedTexts(const std::filesystem::path& out);

} // namespace statdesk::shipped

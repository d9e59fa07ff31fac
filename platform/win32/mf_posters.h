#pragma once
// The posters of films on Media Foundation's source reader, part of every Windows: nothing is
// shipped beside the program. Whatever codecs the system has decode; a film none decodes
// keeps its icon.

#include "platform/pictures.h"

#include <string>

namespace tavlo {

/// Pictures::poster on Media Foundation, on a thread whose COM is initialised.
Decoded mediaFoundationPoster(const std::wstring& path, int side);

} // namespace tavlo

#pragma once
// The posters of films and sounds on FFmpeg's own libraries (libavformat, libavcodec,
// libswscale), for the Linux imaging.

#include "platform/pictures.h"

#include <string>

namespace tavlo {

/// Pictures::poster on FFmpeg's libraries.
Decoded ffmpegPoster(const std::string& path, int side);

/// Settles, once and before any worker reads a film, what the libraries share: their log,
/// silenced, so that a damaged file says nothing on the program's standard error.
void settleFfmpeg();

} // namespace tavlo

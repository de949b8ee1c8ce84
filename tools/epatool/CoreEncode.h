#ifndef VARNEL_TOOLS_EPATOOL_COREENCODE_H
#define VARNEL_TOOLS_EPATOOL_COREENCODE_H

#include <QStringList>
#include <optional>

// epatool encode as epatool-core does it on Qt Core alone: one opaque PNG, at its own size, made
// into a full-screen logo, with the same pixels, palette and messages as epatool-full. Nothing,
// with nothing read past the picture and nothing written, for every other encode (other kinds,
// options or pictures, standard input, a usage error or a file the PNG reader here does not take
// whole), which epatool-full then does or refuses as always.
std::optional<int> EncodeOnCore(const QStringList& args);

#endif

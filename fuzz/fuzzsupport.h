#pragma once

#include "settings/textcodec.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz targets.
namespace qelvo::fuzz
{

// The input as a settings file's text, decoded the way every reader gets it.
inline QString settingsText(const std::uint8_t *data, std::size_t size)
{
    return settings::decodeSettingsText(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
}

// A property every input must keep; a broken one is reported like a crash.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz: property broken: %s\n", what);
        std::abort();
    }
}

} // namespace qelvo::fuzz

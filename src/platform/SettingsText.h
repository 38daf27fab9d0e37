#pragma once

#include <QSettings>

// The preferences file's text: the INI layout QSettings writes, read and
// written by us. Every value is text; nothing in the file is ever decoded as
// a serialised Qt type, so a damaged or hostile file (an "@Variant(…)" value
// claiming gigabytes, say) reads as plain text that the getters reject.
namespace SettingsText {

// Registered once; for QSettings(path, format()).
QSettings::Format format();

// Files larger than this are damage, not settings: they read as empty.
inline constexpr qint64 kMaxFileBytes = 1 << 20;

bool read(QIODevice& device, QSettings::SettingsMap& map);
bool write(QIODevice& device, const QSettings::SettingsMap& map);

} // namespace SettingsText

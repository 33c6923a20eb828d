#pragma once

#include <QString>
#include <string>

// Job texts are byte strings in the files' single-byte code page; Latin-1
// maps each byte to one character and back, so no byte is ever lost.
inline QString ToQt(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toLatin1().toStdString(); }

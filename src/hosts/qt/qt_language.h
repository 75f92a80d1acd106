// The language of the windows. The templates carry Japanese texts; every other language reads
// them in English, through Qt's translation system (translations/*.ts, built into the program).
#pragma once

#include <QLocale>
#include <functional>
#include <optional>
#include <string>

class QCoreApplication;

namespace pelkit {

enum class Language { Japanese, English };

// Japanese under a Japanese locale, English under any other.
Language languageFor(const QLocale& locale);
// The language named "ja" or "en" (as the --lang option takes it), or nothing.
std::optional<Language> languageNamed(const std::string& name);

// Installs the translators of LANGUAGE in APP, replacing any installed before: for English the
// program's English texts, for Japanese Qt's own Japanese texts (the program's are Japanese).
void installLanguage(QCoreApplication& app, Language language);

// The program's English texts for a front end without an application object (the headless
// runner's --lang en): translates TEXT of CONTEXT, or gives it unchanged when it has no English.
// Empty if the English texts cannot be loaded.
std::function<std::string(const char* context, const char* text)> englishTexts();

}  // namespace pelkit

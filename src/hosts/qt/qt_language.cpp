#include "hosts/qt/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace pelkit {

namespace {

constexpr const char* kEnglishTexts = ":/i18n/pelkit_recorder_en.qm";
constexpr const char* kTranslatorName = "pelkit_language";

}  // namespace

Language languageFor(const QLocale& locale) {
    // The language the user reads messages in (LANGUAGE, LC_MESSAGES, LANG for the system's).
    const QStringList languages = locale.uiLanguages();
    const QString first = languages.isEmpty() ? locale.name() : languages.first();
    return first.startsWith("ja") ? Language::Japanese : Language::English;
}

std::optional<Language> languageNamed(const std::string& name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

void installLanguage(QCoreApplication& app, Language language) {
    // The translators of an earlier call are children of the application, found by name.
    for (QTranslator* old :
         app.findChildren<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    auto* translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
    bool loaded = language == Language::English
                      ? translator->load(kEnglishTexts)
                      // Qt's own buttons and the file dialog speak Japanese too.
                      : translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

std::function<std::string(const char*, const char*)> englishTexts() {
    auto translator = std::make_shared<QTranslator>();
    if (!translator->load(kEnglishTexts)) return {};
    return [translator](const char* context, const char* text) {
        QString english = translator->translate(context, text);
        return english.isEmpty() ? std::string(text) : english.toStdString();
    };
}

}  // namespace pelkit

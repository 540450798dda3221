#pragma once

// Every text the print and PDF menus show the user (the documents' own titles come from core
// sheets/, the questions before a file is replaced from the job that asks them).
#include <QStringView>

namespace rasp::ui::printtexts {

// The menu of a page's export pictures.
inline constexpr QStringView kPrint = u"Печать…";
inline constexpr QStringView kSavePdf = u"Сохранить в PDF";
inline constexpr QStringView kWebPages = u"Веб-страницы дня";
// The substitution page's print button and its menu (%1 the document's name).
inline constexpr QStringView kPrintButton = u"Печать";
inline constexpr QStringView kPrintButtonHint = u"Печать и PDF";
inline constexpr QStringView kPrintNamed = u"Печать: %1…";
inline constexpr QStringView kPdfNamed = u"PDF: %1";
// The preview's title (%1 the document's title).
inline constexpr QStringView kPreviewTitle = u"Печать: %1";
// A saved file the system cannot open (%1 its path), and a folder it cannot open either.
inline constexpr QStringView kCannotOpenFile =
    u"Файл сохранен:\r\n%1\r\nОткрыть его не удалось: нет программы для файлов этого вида. Открыть папку с файлом?";
inline constexpr QStringView kCannotOpenFolder = u"Не удалось открыть папку:\r\n%1";
// The questions before a file is replaced (%1 the date's words) and the printed documents' names.
inline constexpr QStringView kDayPdfQuestion = u"Сохранить расписание на %1 в файл PDF?\r\nРанее сохраненный файл будет удален.";
inline constexpr QStringView kWebQuestion =
    u"Сохранить веб-страницы расписания на %1 в папку raspisanie/web?\r\nРанее сохраненные страницы будут заменены.";
inline constexpr QStringView kZamenyPdfQuestion = u"Сохранить замены на %1 в файл PDF?\r\nРанее сохраненный файл будет удален.";
inline constexpr QStringView kNoSlips = u"Заменяющих учителей на эту дату нет";
inline constexpr QStringView kSlipsPdf = u"raspisanie/Листки замен %1.pdf";
inline constexpr QStringView kJournalPdf = u"raspisanie/Журнал замен %1.pdf";
// The substitution page's print menu.
inline constexpr QStringView kSheetMenu = u"лист замен";
inline constexpr QStringView kSlipsMenu = u"листки заменяющим";
inline constexpr QStringView kJournalMenu = u"журнал замен за месяц";

// The answer "Да" of the window's question.
inline constexpr QStringView kYes = u"Да";

} // namespace rasp::ui::printtexts

#pragma once

// Every text the absences controller shows the user: the gesture "Отсутствует", the open lessons'
// count, the planning view of the substitutions page, the whole-day proposal and its questions
// (the reasons, kinds and badges themselves come from core absences/).
#include <QStringView>

namespace rasp::ui::absencestexts {

// The gesture: the cell menu, the teacher caption's menu and the form.
inline constexpr QStringView kAbsent = u"Отсутствует";
inline constexpr QStringView kAbsentMarked = u"%1 (отсутствует: %2)";
inline constexpr QStringView kPlanCover = u"Подобрать замену…";
inline constexpr QStringView kDropCover = u"Снять замену: %1";
inline constexpr QStringView kFormTitle = u"Отсутствует";
inline constexpr QStringView kFormTeacher = u"Учитель";
inline constexpr QStringView kFormRows = u"Уроки с";
inline constexpr QStringView kFormRowsTo = u"по";
inline constexpr QStringView kFormReason = u"Причина";
inline constexpr QStringView kFormMark = u"Отметить";
inline constexpr QStringView kFormRemove = u"Убрать отсутствие";
inline constexpr QStringView kFormCancel = u"Отмена";
inline constexpr QStringView kNoTeachers = u"В нагрузке нет учителей";

// The count on the day page; a click opens the planning view.
inline constexpr QStringView kOpenCount = u"Не закрыто уроков: %1";
inline constexpr QStringView kOpenCountHint = u"Уроки отсутствующих учителей без замены: подобрать замены";

// Undo steps.
inline constexpr QStringView kStepMark = u"отсутствует: %1";
inline constexpr QStringView kStepRemove = u"отсутствие снято: %1";
inline constexpr QStringView kStepCover = u"замена %1";
inline constexpr QStringView kStepDropCover = u"замена снята %1";
inline constexpr QStringView kStepDayCover = u"замены на весь день (%1)";

// The question before an absence with covers goes.
inline constexpr QStringView kRemoveQuestion = u"Убрать отсутствие: %1?\r\nЗамены за этого учителя (%2) будут удалены.";

// The planning view.
inline constexpr QStringView kPlanTitle = u"Замены в расписании на %1 (день на сетке)";
inline constexpr QStringView kPlanNotDay = u"Замены планируются на странице «Расписание»: на сетке сейчас не день";
inline constexpr QStringView kPlanSaveHint = u"Лист замен показывает сохраненный день: сохраните день, чтобы замены попали в него";
inline constexpr QStringView kAbsentList = u"Отсутствуют";
inline constexpr QStringView kAbsentLine = u"%1 — уроки %2-%3, %4";
inline constexpr QStringView kAbsentNone = u"Никто не отмечен отсутствующим";
inline constexpr QStringView kAddAbsent = u"Отметить…";
inline constexpr QStringView kEditAbsent = u"Изменить…";
inline constexpr QStringView kRemoveAbsent = u"Убрать";
inline constexpr QStringView kOpenHeading = u"Уроки отсутствующих";
inline constexpr QStringView kDropCoverButton = u"Снять замену";
inline constexpr QStringView kOpenLine = u"%1, %2-й урок — %3 (%4)";
inline constexpr QStringView kCoveredLine = u"%1, %2-й урок — %3: %4 (%5)";
inline constexpr QStringView kCandidates = u"Кто может провести урок";
inline constexpr QStringView kCandidatesOf = u"Кто может провести: %1, %2-й урок, %3";
inline constexpr QStringView kChooseLesson = u"Выберите урок без учителя";
inline constexpr QStringView kAssign = u"Назначить";
inline constexpr QStringView kColumnWho = u"Учитель или действие";
inline constexpr QStringView kColumnCost = u"Стоимость";
inline constexpr QStringView kColumnReasons = u"Почему";
inline constexpr QStringView kAlternativesHeader = u"Другие решения";
inline constexpr QStringView kPresetSubject = u"сначала по предмету";
inline constexpr QStringView kPresetFair = u"сначала поровну";
inline constexpr QStringView kPresets = u"Подбор:";
inline constexpr QStringView kCoverAll = u"Заменить всех";
inline constexpr QStringView kCoverAllHint = u"Предложить замены на все уроки без учителя с наименьшей общей стоимостью";
inline constexpr QStringView kSolving = u"Подбираются замены на весь день…";
inline constexpr QStringView kNothingOpen = u"Уроков без учителя нет";

// The alternatives and the actions of the proposal.
inline constexpr QStringView kActionTeacher = u"заменяет %1 (%2)";
inline constexpr QStringView kActionSubject = u"другой предмет: %1, ведет %2";
inline constexpr QStringView kActionSwap = u"поменять с %1-м уроком";
inline constexpr QStringView kActionMoveLast = u"перенести сюда %1-й урок, класс закончит раньше";
inline constexpr QStringView kActionCancel = u"отменить урок";
inline constexpr QStringView kActionOpen = u"оставить без замены";

// The whole-day proposal.
inline constexpr QStringView kPreviewColumns = u"Класс|Урок|Предмет|Отсутствует|Решение|Почему|Стоимость";
inline constexpr QStringView kPreviewTotal = u"Предложение: уроков %1, закрыто %2, общая стоимость %3 — %4 (%5 мс)";
inline constexpr QStringView kOptimal = u"наименьшая возможная (доказано)";
inline constexpr QStringView kNotProven = u"лучшая найденная, наименьшая не доказана";
inline constexpr QStringView kAcceptAll = u"Принять все";
inline constexpr QStringView kAcceptChecked = u"Принять отмеченные";
inline constexpr QStringView kDiscard = u"Отказаться";
inline constexpr QStringView kProposalStale = u"Расписание изменилось, пока подбирались замены: нажмите «Заменить всех» еще раз";
inline constexpr QStringView kNothingChecked = u"Не отмечено ни одной строки";
inline constexpr QStringView kBrokenRun =
    u"Так у класса получится окно: отмена урока принимается только вместе с отменой соседних с ним уроков, отмененных в предложении";

} // namespace rasp::ui::absencestexts

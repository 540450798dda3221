#pragma once

#include "shell/controller.h"

#include <QRect>
#include <QString>

class QGraphicsDropShadowEffect;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace rasp::ui {

class OverlayPanel;

// The day's checks beside the grid: the pulsing warning in the grid's corner when a lesson has
// no teacher, with its panel "Не указаны учителя", and the panel "Количество часов в день" of
// the action picture. It reads the state; it changes nothing of it.
class CountersController : public Controller
{
    Q_OBJECT
public:
    // Builds the warning inside `gridViewport` at the top of `corner` and both panels over the
    // shell's window.
    CountersController(const Shell &shell, QWidget *gridViewport, QRect corner, QObject *parent);
    ~CountersController() override;

    // NetUchit: rebuilds the missing-teacher list and starts or stops the pulsing warning.
    void checkTeachers();
    // Timer4Timer: one 10-ms step of the warning's glow (core day::WarningGlowStep).
    void glowStep();
    // SpeedButton11Click: the warning clicked; it stops and the panel opens.
    void openWarning();
    // Rct_NetUchit: opens the panel with a random caption on its button.
    void showMissingPanel();
    // Button3Click: closes the panel.
    void closeMissingPanel();
    // GapolSG2: the teacher-hours table emptied to its two columns.
    void resetHoursTable();
    // SpeedButton9Click: builds and shows the teacher-hours table of the day.
    void showTeacherHours();
    // SpeedButton8Click: closes the teacher-hours panel.
    void closeTeacherHours();
    // The page switches: the warning stops until the next check.
    void hideWarning();

    // The text of "Не указаны учителя" as built ("\r" kept).
    const QString &missingText() const { return m_missingText; }
    // The glow's alpha and step (tests set them to look at one step).
    int glow() const { return m_glow; }
    void setGlow(int alpha, int step)
    {
        m_glow = alpha;
        m_glowStep = step;
    }

    // The parts the window tests look at.
    QToolButton *warning() const { return m_warning; }                     // Img_Migan
    QTimer *glowTimer() const { return m_glowTimer; }                      // Timer4
    QGraphicsDropShadowEffect *glowEffect() const { return m_glowEffect; } // ShadowEffect32
    OverlayPanel *missingPanel() const { return m_missingPanel; }          // Rct_NetUch
    QPushButton *missingCloseButton() const { return m_missingClose; }     // Button3
    OverlayPanel *hoursPanel() const { return m_hoursPanel; }              // Rct_KolUrUch
    QToolButton *hoursCloseButton() const { return m_hoursClose; }         // SpeedButton8
    QTableWidget *hoursTable() const { return m_hoursTable; }              // StringGrid2

private:
    QTimer *m_glowTimer = nullptr;                     // 10 ms: glow of the missing-teacher warning
    QToolButton *m_warning = nullptr;                  // the warning picture
    QGraphicsDropShadowEffect *m_glowEffect = nullptr; // its red glow
    int m_glow = 0;                                    // glow alpha (migan)
    int m_glowStep = 10;                               // glow step (migan_mn)
    OverlayPanel *m_missingPanel = nullptr;
    QPlainTextEdit *m_missingList = nullptr; // Memo1
    QPushButton *m_missingClose = nullptr;
    QString m_missingText; // Memo1Text
    OverlayPanel *m_hoursPanel = nullptr;
    QToolButton *m_hoursClose = nullptr;
    QTableWidget *m_hoursTable = nullptr;
};

} // namespace rasp::ui

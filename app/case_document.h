#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "case/case_file.h"
#include "case/input_fields.h"

class QMenu;
class QWidget;

namespace vortane {

// The case file behind a window's 28 boxes: its path (empty when none is
// open), the texts it held when last opened or saved (the default texts when
// none is open), the ranges the viscosity law in the boxes was fitted on, and
// the recent cases kept in the settings. It takes the box
// texts and gives them back through the two functions it is made with, shows
// the case in the window's caption, marked while the boxes differ from those
// texts, and asks the user, in dialogs over the window, for a file or whether
// to save.
// The filter of the file dialogs that pick case files.
QString CaseFileFilter();

class CaseDocument final : public QObject {
    Q_OBJECT

public:
    using TakeTexts = std::function<InputTexts()>;
    using GiveTexts = std::function<void(const InputTexts&)>;

    // `caption` is the program's name: the caption without a case, and the
    // title of the document's messages.
    CaseDocument(QWidget& window, QString caption, TakeTexts boxTexts, GiveTexts setBoxTexts,
                 char decimalSeparator);

    using TellWork = std::function<QString()>;

    // The open case's file name, or "Untitled".
    QString Name() const;
    // The open case's path; empty when none is open.
    const QString& Path() const { return path_; }
    // The texts of the open case's file, or the default texts.
    const InputTexts& SavedTexts() const { return texts_; }
    // Whether the boxes, the ranges of their law, the limits or the warnings
    // accepted differ from the file's.
    bool Modified() const;
    // The data the viscosity law in the boxes was fitted on, as far as known:
    // from the case file or coefficients loaded, or from a fit applied; none
    // once a coefficient box holds another text (another law).
    const FittedRanges& ViscosityRanges() const { return ranges_; }
    // The ranges of the law the coefficient boxes now hold.
    void SetViscosityRanges(const FittedRanges& ranges);
    // The grade of the material library the case names; empty for none.
    const std::string& Material() const { return material_; }
    // Puts a law into the boxes as one change: `texts` in place of the boxes',
    // the ranges the law holds over and the grade it is (empty for none); the
    // caption's mark and Changed follow once, when all is in place.
    void TakeLaw(const InputTexts& texts, const FittedRanges& ranges, std::string material);
    // The limits the design must meet: from the case file, or as set.
    const std::vector<Limit>& Limits() const { return limits_; }
    void SetLimits(std::vector<Limit> limits);
    // The kinds of warning a feasible design may raise: from the case file,
    // or as set.
    WarningKinds AcceptedWarnings() const { return accepted_; }
    void SetAcceptedWarnings(WarningKinds accepted);
    // Gives a sentence naming work under way that setting the design aside
    // may stop (a running study), or an empty text; it ends the save question.
    void SetWorkUnderWay(TellWork work) { work_ = std::move(work); }

    // Fills the boxes from a case file and makes it the open case. A file that
    // cannot be read or taken, a directory or other non-file among them,
    // changes nothing: no box, no caption, no recent case; it is named, with
    // its line and the problem, in a message box. Returns whether it opened.
    bool Open(const QString& path);
    // Writes the box texts to `path` and makes it the open case; a failure is
    // named in a message box and changes nothing.
    bool SaveTo(const QString& path);
    // Puts only the viscosity coefficients of a case file into their boxes,
    // with the ranges the file says they were fitted on; a file that cannot be
    // read or holds none of them changes no box.
    bool LoadCoefficients(const QString& path);

    // The File and Material menu's commands; each asks first what it needs.
    void New();
    void OpenFromDialog();
    bool Save();    // to the open case, else as Save As
    bool SaveAs();  // false when the user cancels or the file cannot be written
    void LoadCoefficientsFromDialog();

    // Asks to save a modified design, opened from a file or not; false when
    // the user cancels or the save fails.
    bool MaySetAside();
    // To be called whenever a box's text changes.
    void UpdateModified();

    // Absolute paths, the latest first.
    QStringList RecentCases() const;
    // One action per recent case, each opening it after MaySetAside.
    void FillRecentMenu(QMenu& menu);

signals:
    // The open case, or whether the boxes differ from it, has changed.
    void Changed();
    // Another design has taken the boxes' place: New, or a case opened.
    void Replaced();

private:
    // The content of a case file; nullopt after naming the problem.
    std::optional<CaseFile> Read(const QString& path);
    void Adopt(const QString& path);
    void Warn(const QString& text);

    QWidget& window_;
    const QString caption_;
    const TakeTexts boxTexts_;
    const GiveTexts setBoxTexts_;
    const char decimalSeparator_;
    TellWork work_;
    QString path_;
    InputTexts texts_;
    FittedRanges savedRanges_;  // of the file, as texts_
    FittedRanges ranges_;       // of the law in the boxes
    InputTexts lawTexts_;       // the boxes when ranges_ were set
    std::vector<Limit> savedLimits_;  // of the file
    std::vector<Limit> limits_;
    WarningKinds savedAccepted_;  // of the file
    WarningKinds accepted_;
    std::string material_;  // the grade of the material library the case names
    bool modified_ = false;
    bool takingLaw_ = false;  // TakeLaw is filling the boxes
};

}  // namespace vortane

#include "app/case_document.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QWidget>

#include <utility>

#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/file_save.h"
#include "measurement/material_fit.h"
#include "result/compose_case.h"

namespace vortane {

namespace {

constexpr int RecentCaseLimit = 8;
const QString RecentCasesKey = QStringLiteral("recentCases");
const QString CaseFilter = QStringLiteral("Vortane cases (*.vcase *.case);;All files (*)");

std::string FileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QStringList Recent() { return QSettings().value(RecentCasesKey).toStringList(); }

// Puts `path` first among the recent cases.
void Remember(const QString& path) {
    QStringList recent = Recent();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    QSettings().setValue(RecentCasesKey, recent.mid(0, RecentCaseLimit));
}

}  // namespace

QString CaseFileFilter() { return CaseFilter; }

CaseDocument::CaseDocument(QWidget& window, QString caption, TakeTexts boxTexts, GiveTexts setBoxTexts,
                           char decimalSeparator)
    : QObject(&window),
      window_(window),
      caption_(std::move(caption)),
      boxTexts_(std::move(boxTexts)),
      setBoxTexts_(std::move(setBoxTexts)),
      decimalSeparator_(decimalSeparator),
      texts_(DefaultTexts(decimalSeparator)) {
    window_.setWindowTitle(caption_ + QStringLiteral("[*]"));
}

QString CaseDocument::Name() const {
    return path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
}

bool CaseDocument::Modified() const { return modified_; }

void CaseDocument::SetViscosityRanges(const FittedRanges& ranges) {
    ranges_ = ranges;
    lawTexts_ = boxTexts_();
    UpdateModified();
}

void CaseDocument::TakeLaw(const InputTexts& texts, const FittedRanges& ranges, std::string material) {
    takingLaw_ = true;
    setBoxTexts_(texts);
    takingLaw_ = false;
    material_ = std::move(material);
    SetViscosityRanges(ranges);
}

// Emits Changed even when the mark stays, so that every view of the limits
// follows.
void CaseDocument::SetLimits(std::vector<Limit> limits) {
    if (limits == limits_) return;
    limits_ = std::move(limits);
    const bool wasModified = modified_;
    UpdateModified();
    if (modified_ == wasModified) emit Changed();
}

// Emits Changed even when the mark stays, so that what judges feasibility
// judges anew.
void CaseDocument::SetAcceptedWarnings(WarningKinds accepted) {
    if (accepted == accepted_) return;
    accepted_ = accepted;
    const bool wasModified = modified_;
    UpdateModified();
    if (modified_ == wasModified) emit Changed();
}

// The core's reader refuses what holds no case: a directory, a FIFO, a device.
std::optional<CaseFile> CaseDocument::Read(const QString& path) {
    try {
        return ReadCaseFile(FileName(path));
    } catch (const CaseFileError& error) {
        Warn(QString::fromLocal8Bit(error.what()));
        return std::nullopt;
    }
}

bool CaseDocument::Open(const QString& path) {
    ComposedCase composed;
    try {
        composed = ComposeCase(FileName(path), {}, decimalSeparator_);
    } catch (const CaseFileError& error) {
        Warn(QString::fromLocal8Bit(error.what()));
        return false;
    }
    setBoxTexts_(composed.texts);
    material_ = composed.extras.material;
    SetViscosityRanges(composed.extras.viscosityRanges);
    limits_ = std::move(composed.extras.limits);
    accepted_ = composed.extras.acceptedWarnings;
    Adopt(path);
    Remember(path);
    emit Replaced();
    return true;
}

bool CaseDocument::SaveTo(const QString& path) {
    std::string content;
    try {
        content = CaseFileText(boxTexts_(), {ranges_, limits_, accepted_, material_}, decimalSeparator_);
    } catch (const CaseFileError& error) {
        Warn(FromUtf8(error.what()));
        return false;
    }
    // Not written whole: the caption keeps its mark, the recent cases stay.
    if (!SaveFile(&window_, caption_, path, content)) return false;
    Adopt(path);
    Remember(path);
    return true;
}

bool CaseDocument::LoadCoefficients(const QString& path) {
    const auto file = Read(path);
    if (!file) return false;
    const std::vector<CaseEntry> coefficients = CoefficientEntries(file->entries);
    if (coefficients.empty()) {
        Warn(path + QStringLiteral(" holds none of the coefficients A0 ... A12"));
        return false;
    }
    setBoxTexts_(ApplyCaseEntries(boxTexts_(), coefficients, decimalSeparator_));
    material_ = file->extras.material;
    SetViscosityRanges(file->extras.viscosityRanges);
    return true;
}

void CaseDocument::New() {
    if (!MaySetAside()) return;
    setBoxTexts_(DefaultTexts(decimalSeparator_));
    material_.clear();
    SetViscosityRanges({});
    limits_.clear();
    accepted_ = {};
    Adopt({});
    emit Replaced();
}

void CaseDocument::OpenFromDialog() {
    if (!MaySetAside()) return;
    const QString path = QFileDialog::getOpenFileName(&window_, QStringLiteral("Open Case"), {}, CaseFilter);
    if (!path.isEmpty()) Open(path);
}

bool CaseDocument::Save() { return path_.isEmpty() ? SaveAs() : SaveTo(path_); }

bool CaseDocument::SaveAs() {
    QString path = QFileDialog::getSaveFileName(&window_, QStringLiteral("Save Case As"), path_, CaseFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".vcase");
    return SaveTo(path);
}

void CaseDocument::LoadCoefficientsFromDialog() {
    const QString path =
        QFileDialog::getOpenFileName(&window_, QStringLiteral("Load Coefficients"), {}, CaseFilter);
    if (!path.isEmpty()) LoadCoefficients(path);
}

bool CaseDocument::MaySetAside() {
    if (!Modified()) return true;
    QString question = path_.isEmpty() ? QStringLiteral("The design has not been saved. Save it as a case?")
                                       : QStringLiteral("The case %1 has unsaved changes. Save them?").arg(Name());
    if (const QString work = work_ ? work_() : QString(); !work.isEmpty()) question += u'\n' + work;
    const auto answer = ShowPlainMessage(&window_, QMessageBox::Question, caption_, question,
                                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                         QMessageBox::Save,
                                         {{QMessageBox::Save, QStringLiteral("&Save")},
                                          {QMessageBox::Discard, QStringLiteral("&Discard")},
                                          {QMessageBox::Cancel, QStringLiteral("&Cancel")}});
    if (answer == QMessageBox::Save) return Save();
    return answer == QMessageBox::Discard;
}

void CaseDocument::UpdateModified() {
    if (takingLaw_) return;
    const InputTexts boxes = boxTexts_();
    ranges_ = RangesOfLaw(ranges_, lawTexts_, boxes);
    // The grade's name goes with its coefficients, as the ranges do.
    if (CoefficientTextsOf(boxes) != CoefficientTextsOf(lawTexts_)) material_.clear();
    const bool modified = boxes != texts_ || ranges_ != savedRanges_ || limits_ != savedLimits_ ||
                          accepted_ != savedAccepted_;
    if (modified == modified_) return;
    modified_ = modified;
    window_.setWindowModified(modified);
    emit Changed();
}

// The boxes' texts are now those of the case at `path`, or of no case.
void CaseDocument::Adopt(const QString& path) {
    path_ = path;
    texts_ = boxTexts_();
    savedRanges_ = ranges_;
    savedLimits_ = limits_;
    savedAccepted_ = accepted_;
    window_.setWindowFilePath(path);
    window_.setWindowTitle(path.isEmpty() ? caption_ + QStringLiteral("[*]")
                                          : TitleText(Name()) + QStringLiteral("[*] — ") + caption_);
    modified_ = false;
    window_.setWindowModified(false);
    emit Changed();
}

QStringList CaseDocument::RecentCases() const { return Recent(); }

void CaseDocument::FillRecentMenu(QMenu& menu) {
    menu.clear();
    const QStringList recent = RecentCases();
    for (const QString& path : recent) {
        menu.addAction(MenuText(path), this, [this, path] {
            if (MaySetAside()) Open(path);
        });
    }
    menu.setEnabled(!recent.isEmpty());
}

void CaseDocument::Warn(const QString& text) { WarnPlain(&window_, caption_, text); }

}  // namespace vortane

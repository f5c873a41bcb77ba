#include "app/fit_dialog.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>


#include "app/chart_view.h"
#include "app/core_text.h"
#include "app/grade_save_dialog.h"
#include "app/plain_text.h"
#include "app/screen_fit.h"
#include "measurement/fit_chart.h"

namespace vortane {

namespace {

const QString MeasurementFilter = QStringLiteral("Measurements (*.csv *.txt);;All files (*)");

}  // namespace

FitDialog::FitDialog(ApplyLaw apply, char decimalSeparator, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)), decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("FitDialog"));
    setWindowTitle(QStringLiteral("Fit Viscosity Law — Vortane"));
    CreateControls();
    FitOnScreen(*this, {940, 600});
}

void FitDialog::CreateControls() {
    file_ = PlainLabel(QStringLiteral("(no file)"));
    file_->setObjectName(QStringLiteral("MeasurementFile"));
    file_->setAccessibleName(QStringLiteral("Measurement file"));
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    open_ = new QPushButton(QStringLiteral("Open..."));
    open_->setObjectName(QStringLiteral("OpenMeasurements"));
    open_->setAccessibleName(QStringLiteral("Open measurements"));
    connect(open_, &QPushButton::clicked, this, &FitDialog::ChooseFile);
    unit_ = new QComboBox;
    unit_->setObjectName(QStringLiteral("ViscosityUnit"));
    unit_->setAccessibleName(QStringLiteral("Viscosity unit"));
    for (const ViscosityUnit unit : ViscosityUnits) unit_->addItem(FromUtf8(UnitName(unit)), static_cast<int>(unit));
    connect(unit_, &QComboBox::activated, this, &FitDialog::Refit);
    auto* unitLabel = new QLabel(QStringLiteral("Viscosity &unit:"));
    unitLabel->setBuddy(unit_);

    chart_ = new QChartView(new QChart);
    chart_->setObjectName(QStringLiteral("FitChart"));
    chart_->setAccessibleName(QStringLiteral("Points and fitted curves"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(520, 400);

    message_ = PlainLabel();
    message_->setObjectName(QStringLiteral("FitMessage"));
    message_->setAccessibleName(QStringLiteral("Fit message"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette red = message_->palette();
    red.setColor(QPalette::WindowText, QColor(0xb0, 0x1c, 0x1c));
    message_->setPalette(red);

    auto* quality = new QGroupBox(QStringLiteral("Fit"));
    auto* qualityForm = new QFormLayout(quality);
    const std::vector<FitFigure> captions = FitFigures({}, decimalSeparator_);
    static constexpr std::array<const char*, 6> FigureNames{"RSquared",  "RmsError",     "LargestError",
                                                           "PointCount", "Temperatures", "ShearRates"};
    for (std::size_t i = 0; i < figures_.size(); ++i) {
        figures_[i] = PlainLabel(QStringLiteral("—"));
        figures_[i]->setObjectName(QLatin1String(FigureNames[i]));
        figures_[i]->setAccessibleName(FromUtf8(captions[i].caption));
        figures_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        qualityForm->addRow(FromUtf8(captions[i].caption) + QLatin1Char(':'), figures_[i]);
    }

    auto* law = new QGroupBox(QStringLiteral("Coefficients"));
    auto* lawForm = new QFormLayout(law);
    for (std::size_t j = 0; j < coefficients_.size(); ++j) {
        const QString name = FromUtf8(ViscosityTermNames[j]);
        coefficients_[j] = new QLineEdit;
        coefficients_[j]->setObjectName(QStringLiteral("Fitted") + name);
        coefficients_[j]->setAccessibleName(name);
        coefficients_[j]->setReadOnly(true);
        auto* label = new QLabel(name);
        label->setBuddy(coefficients_[j]);
        lawForm->addRow(label, coefficients_[j]);
    }

    auto* buttons = new QDialogButtonBox;
    applyButton_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
    applyButton_->setObjectName(QStringLiteral("Apply"));
    applyButton_->setAccessibleName(QStringLiteral("Apply the coefficients"));
    applyButton_->setEnabled(false);
    saveGrade_ = buttons->addButton(QStringLiteral("Save as &Grade\u2026"), QDialogButtonBox::ActionRole);
    saveGrade_->setObjectName(QStringLiteral("SaveAsGrade"));
    saveGrade_->setAccessibleName(QStringLiteral("Save the fit as a grade"));
    saveGrade_->setEnabled(false);
    close_ = buttons->addButton(QDialogButtonBox::Close);
    close_->setAccessibleName(QStringLiteral("Close"));
    connect(applyButton_, &QPushButton::clicked, this, [this] {
        if (texts_) apply_(*texts_, ranges_);
    });
    connect(saveGrade_, &QPushButton::clicked, this, [this] {
        if (texts_)
            connect(AskToSaveGrade(*this, *texts_, decimalSeparator_, ranges_), &GradeSaveDialog::Saved, this,
                    &FitDialog::GradeSaved);
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Measurements:")));
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(open_);
    fileRow->addSpacing(16);
    fileRow->addWidget(unitLabel);
    fileRow->addWidget(unit_);
    auto* side = new QVBoxLayout;
    side->addWidget(quality);
    side->addWidget(law);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(chart_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(middle, 1);
    layout->addWidget(message_);
    layout->addWidget(buttons);
}

void FitDialog::ChooseFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Fit from Measurements"), path_, MeasurementFilter);
    if (!path.isEmpty()) Open(path);
}

bool FitDialog::Open(const QString& path) {
    path_ = path;
    file_->setText(path);
    Refit();
    return texts_.has_value();
}

// The chosen unit holds unless the file's header names one.
void FitDialog::Refit() {
    const auto chosen = static_cast<ViscosityUnit>(unit_->currentData().toInt());
    const std::string path = QFile::encodeName(path_).toStdString();
    try {
        Measurements measurements = ReadMeasurementFile(path, std::nullopt);
        if (!measurements.unitInHeader && measurements.unit != chosen) measurements = ReadMeasurementFile(path, chosen);
        const ViscosityFit fit = FitMeasurements(measurements);
        measurements.fileName = QFileInfo(path_).fileName().toStdString();
        ShowFit(measurements, fit);
    } catch (const std::exception& error) {
        ShowRefusal(QString::fromLocal8Bit(error.what()));
    }
}

void FitDialog::ShowFit(const Measurements& measurements, const ViscosityFit& fit) {
    // A unit the header names is the file's; the choice gives way to it.
    unit_->setCurrentIndex(unit_->findData(static_cast<int>(measurements.unit)));
    unit_->setEnabled(!measurements.unitInHeader);
    unit_->setToolTip(measurements.unitInHeader ? QStringLiteral("The file's header names the unit") : QString());

    texts_ = CoefficientTexts(fit.coefficients, measurements.points, decimalSeparator_);
    ranges_ = FittedRangesOf(fit);
    measurements_ = measurements;
    fit_ = fit;
    for (std::size_t j = 0; j < coefficients_.size(); ++j) {
        coefficients_[j]->setText(FromUtf8((*texts_)[j]));
        coefficients_[j]->setCursorPosition(0);
    }
    message_->clear();
    applyButton_->setEnabled(true);
    saveGrade_->setEnabled(true);
    ShowFigures();
}

// The fit's figures and chart, temperatures in the chosen units.
void FitDialog::ShowFigures() {
    const std::vector<FitFigure> figures = FitFigures(fit_, decimalSeparator_, units_);
    for (std::size_t i = 0; i < figures_.size(); ++i) figures_[i]->setText(FromUtf8(figures[i].text));
    ShowChart(*chart_, FitChart(*measurements_, fit_, decimalSeparator_, units_));
}

void FitDialog::SetUnitSystem(UnitSystem system) {
    units_ = system;
    if (measurements_) ShowFigures();
}

void FitDialog::ShowRefusal(const QString& text) {
    texts_.reset();
    measurements_.reset();
    message_->setText(text);
    unit_->setEnabled(true);
    for (QLabel* figure : figures_) figure->setText(QStringLiteral("—"));
    for (QLineEdit* coefficient : coefficients_) coefficient->clear();
    applyButton_->setEnabled(false);
    saveGrade_->setEnabled(false);
    ShowChart(*chart_, {});
}

}  // namespace vortane

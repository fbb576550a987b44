#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace platform {

// A file open or save dialog as the File menu uses it: a filter of description and pattern
// pairs joined by "|", and a file name that lives as long as the dialog does. Running it
// returns whether the user confirmed a name; only then does the name change, so a cancelled
// dialog keeps the name confirmed the time before.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    const QString& filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }

    // Shows the dialog modally, offering the current file name.
    virtual bool execute() = 0;

private:
    QString filter_;
    QString fileName_;
};

// "Ondulix-Kデータ[*.okd]|*.okd" as Qt name filters: "Ondulix-Kデータ[*.okd] (*.okd)". A
// pattern list separated by ";" becomes Qt's blank-separated list.
QStringList qtNameFilters(const QString& filter);

// The dialog on Qt's own widgets.
class QtFileDialog final : public FileDialog {
public:
    enum class Mode { Open, Save };

    explicit QtFileDialog(Mode mode, QWidget* parent = nullptr);

    bool execute() override;

    // Sets up a dialog the way execute() shows it.
    void configure(QFileDialog& dialog) const;

private:
    Mode mode_;
    QWidget* parent_;
};

} // namespace platform

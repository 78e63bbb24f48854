#pragma once

#include "study/connectivityobject.h"
#include "study/subjectrecord.h"

#include <QDialog>

#include <deque>
#include <functional>

class QPushButton;
class SubjectsModel;

namespace Ui {
class Kestrel;
}

// The plug-in's main window: lists the subjects whose study manifests the
// user added, and opens a subject's analysis dialog from its "View" button.
// Removing a row closes the windows of its subject; its record stays, so
// every "View" button keeps the record index it was made with.
class Kestrel : public QDialog {
    Q_OBJECT

public:
    // Asks the user for a manifest; an empty name means cancelled.
    using ManifestPicker = std::function<QString(QWidget* parent)>;
    // Tells the user that something could not be done.
    using ErrorReporter = std::function<void(QWidget* parent, const QString& message)>;

    explicit Kestrel(QWidget* parent = nullptr);
    ~Kestrel() override;

    // Reads the manifest at path and lists its subject. On failure the user
    // is told why and nothing changes.
    bool addSubjectFile(const QString& path);

    // Seams for the modal dialogs, so that tests and the tour can drive the
    // window without a user.
    void setManifestPicker(ManifestPicker picker);
    void setErrorReporter(ErrorReporter reporter);
    void setDialogFactory(ConnectivityObject::DialogFactory factory);

private slots:
    bool data_addSubject();
    void data_removeSubject();
    void data_removeAllSubjects();
    void viewConnectivityUI();
    void closeDialog(bool);
    void keepWindowOnTop(bool state);

private:
    QPushButton* createViewButton(int subjectIndex);
    // The selected row, or -1 when none is selected or the selection is
    // stale (at or past the last row).
    int selectedRow() const;
    // The subject whose record the row's "View" button opens; -1 when the
    // row has no button.
    int subjectOfRow(int row) const;
    // Deletes the opened objects of a subject, and so closes its windows.
    void deleteSubjectObjects(int subject);
    void updateSubjectControls();

    Ui::Kestrel* ui;
    SubjectsModel* m_subjectsModel;
    // Connectivity objects point at their record, so records must never move.
    std::deque<SubjectRecord> m_subjects;
    ManifestPicker m_manifestPicker;
    ErrorReporter m_errorReporter;
    ConnectivityObject::DialogFactory m_dialogFactory;
};

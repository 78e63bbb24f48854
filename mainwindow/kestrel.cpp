#include "mainwindow/kestrel.h"

#include "mainwindow/subjectsmodel.h"
#include "study/studymanifestreader.h"
#include "subject/connectivityobjectui.h"
#include "ui_kestrel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>
#include <utility>

namespace {

QString askForManifest(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, Kestrel::tr("Select json file"), QString(),
                                        Kestrel::tr("Weft Study Manifest(*.json)"));
}

void showError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QStringLiteral("Kestrel"), message);
}

QObject* createSubjectDialog(ConnectivityObject* subject)
{
    auto* dialog = new ConnectivityObjectUI(subject);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

} // namespace

Kestrel::Kestrel(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Kestrel)
    , m_manifestPicker(askForManifest)
    , m_errorReporter(showError)
    , m_dialogFactory(createSubjectDialog)
{
    ui->setupUi(this);
    connect(ui->pb_AddSubject, &QPushButton::clicked, this, &Kestrel::data_addSubject);
    connect(ui->pb_RemoveSubject, &QPushButton::clicked, this, &Kestrel::data_removeSubject);
    connect(ui->pb_RemoveAll, &QPushButton::clicked, this, &Kestrel::data_removeAllSubjects);
    connect(ui->cbox_KeepOnTop, &QCheckBox::toggled, this, &Kestrel::keepWindowOnTop);
    connect(ui->pb_CloseDialog, &QPushButton::clicked, this, &Kestrel::closeDialog);
    ui->tabWidget->setCurrentIndex(0);

    setObjectName(QStringLiteral("CKestrel"));
    setWindowFlags(Qt::WindowStaysOnTopHint);

    m_subjectsModel = new SubjectsModel(ui->tbl_Subjects);
    ui->tbl_Subjects->setModel(m_subjectsModel);
    ui->tbl_Subjects->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

Kestrel::~Kestrel()
{
    // The connectivity objects are children and go after this destructor, so
    // their dialogs must not outlive the records they point at: delete them
    // while the records still exist.
    qDeleteAll(findChildren<ConnectivityObject*>(QString(), Qt::FindDirectChildrenOnly));
    delete ui;
}

bool Kestrel::addSubjectFile(const QString& path)
{
    const QFileInfo file(path);
    try {
        StudyManifest manifest = readStudyManifest(path.toStdString());
        m_subjects.emplace_back(std::move(manifest), file.absolutePath().toStdString(),
                                file.fileName().toStdString());
    } catch (const std::exception& e) {
        m_errorReporter(this, tr("The study manifest could not be read.\n\n%1").arg(QString::fromStdString(e.what())));
        return false;
    }

    const int rows = m_subjectsModel->addSubject(m_subjects.back().getUniqueId());
    ui->tbl_Subjects->setIndexWidget(m_subjectsModel->index(rows - 1, 1),
                                     createViewButton(static_cast<int>(m_subjects.size()) - 1));
    ui->pb_RemoveSubject->setEnabled(true);
    updateSubjectControls();
    return true;
}

void Kestrel::setManifestPicker(ManifestPicker picker)
{
    m_manifestPicker = std::move(picker);
}

void Kestrel::setErrorReporter(ErrorReporter reporter)
{
    m_errorReporter = std::move(reporter);
}

void Kestrel::setDialogFactory(ConnectivityObject::DialogFactory factory)
{
    m_dialogFactory = std::move(factory);
}

bool Kestrel::data_addSubject()
{
    const QString path = m_manifestPicker(this);
    return !path.isEmpty() && addSubjectFile(path);
}

void Kestrel::data_removeSubject()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const int rows = m_subjectsModel->rowCount();
    deleteSubjectObjects(subjectOfRow(row));

    // Index widgets stay at their row number when the model only reports a
    // layout change, so the buttons below the removed row are set again one
    // row up (each keeps the subject it opens) and the last one is dropped.
    QTableView* table = ui->tbl_Subjects;
    for (int r = row; r + 1 < rows; ++r) {
        const int subject = subjectOfRow(r + 1);
        table->setIndexWidget(m_subjectsModel->index(r, 1), subject >= 0 ? createViewButton(subject) : nullptr);
    }
    table->setIndexWidget(m_subjectsModel->index(rows - 1, 1), nullptr);
    // A selection or current cell left behind would point at a row that may
    // no longer exist.
    table->selectionModel()->clear();
    m_subjectsModel->removeSubject(row);
    updateSubjectControls();
}

void Kestrel::data_removeAllSubjects()
{
    ui->tbl_Subjects->selectionModel()->clear();
    for (int row = m_subjectsModel->rowCount() - 1; row >= 0; --row) {
        deleteSubjectObjects(subjectOfRow(row));
        ui->tbl_Subjects->setIndexWidget(m_subjectsModel->index(row, 1), nullptr);
        m_subjectsModel->removeSubject(row);
    }
    updateSubjectControls();
}

void Kestrel::viewConnectivityUI()
{
    const auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    const int index = button->property("row").toInt();
    if (index < 0 || static_cast<std::size_t>(index) >= m_subjects.size())
        return;

    // A subject that cannot be loaded or shown is deleted again, so nothing
    // is left half-loaded.
    const SubjectRecord& record = m_subjects[static_cast<std::size_t>(index)];
    auto subject = std::make_unique<ConnectivityObject>(&record, this);
    QString error;
    try {
        if (subject->loadMatrices()) {
            subject->setDialogFactory(m_dialogFactory);
            subject->openUI();
            subject.release();
            return;
        }
        error = subject->errorString();
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
    }
    subject.reset();
    m_errorReporter(this, tr("The subject \"%1\" could not be opened.\n\n%2")
                              .arg(QString::fromStdString(record.getUniqueId()), error));
}

void Kestrel::closeDialog(bool)
{
    close();
}

void Kestrel::keepWindowOnTop(bool state)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, state);
    // Changing the flags hides the window.
    show();
}

QPushButton* Kestrel::createViewButton(int subjectIndex)
{
    auto* button = new QPushButton(tr("View"));
    button->setFlat(true);
    // A focused index widget makes its cell the view's current one, which
    // selects its row: "View" would then decide what "Remove selected"
    // removes, depending on where the focus was.
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("row", subjectIndex);
    connect(button, &QPushButton::clicked, this, &Kestrel::viewConnectivityUI);
    return button;
}

int Kestrel::selectedRow() const
{
    const QModelIndexList selected = ui->tbl_Subjects->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return -1;
    const int row = selected.first().row();
    return row < m_subjectsModel->rowCount() ? row : -1;
}

int Kestrel::subjectOfRow(int row) const
{
    const QWidget* button = ui->tbl_Subjects->indexWidget(m_subjectsModel->index(row, 1));
    return button ? button->property("row").toInt() : -1;
}

void Kestrel::deleteSubjectObjects(int subject)
{
    if (subject < 0 || static_cast<std::size_t>(subject) >= m_subjects.size())
        return;
    const SubjectRecord* record = &m_subjects[static_cast<std::size_t>(subject)];
    for (ConnectivityObject* object : findChildren<ConnectivityObject*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (object->getSubject() == record)
            delete object;
    }
}

void Kestrel::updateSubjectControls()
{
    const int rows = m_subjectsModel->rowCount();
    ui->lbl_SubjectsCounter->setText(QString::number(rows));
    ui->pb_RemoveAll->setEnabled(rows > 0);
}

#pragma once

#include "study/subjectsource.h"

#include <QDialog>
#include <QMessageBox>

#include <functional>

class CircularPlot;
class CircularPlotWidget;
class ViewMatrix;

namespace Ui {
class ConnectivityObjectUI;
}

// A subject's analysis window: the hub from which its matrix viewer, circular
// plot and graph measures are opened.
class ConnectivityObjectUI : public QDialog, public SubjectSource {
    Q_OBJECT

public:
    ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent = nullptr);
    ~ConnectivityObjectUI() override;

    ConnectivityObject* getConnectivityObject() const override { return m_subject; }

private slots:
    void prepareNodesTable();
    void prepareGraphFeatures();
    void inspectGraphFeature(bool state);
    void computeGraphFeature(bool state);
    void graphfeatures_useFilteredMatrix(bool state);
    void plotConnectivityMatrix(bool state);
    void plotCircular(bool state);
    void circularPlot_disableOptions();
    void circularPlot_displayRangeChanged(int l, int u);
    void circularPlot_toggleLabels(bool state);
    void circularPlot_setNodesSize(int value);
    void circularPlot_toggleUseWeights(bool state);
    void circularPlot_thicknessMultiplierChanged(double value);
    void circularPlot_setFixedThickness(double value);
    void circularPlot_toggleColorizeEdges(bool state);

private:
    // The open circular plot's chart, or null while no plot window exists.
    CircularPlotWidget* circularPlotWidget() const;

    Ui::ConnectivityObjectUI* ui;
    ConnectivityObject* m_subject;
    CircularPlot* m_circularPlot = nullptr;
    ViewMatrix* m_viewMatrix = nullptr;

    // Graph-features tab: how the dialog asks the "Caution." question and
    // reports what it cannot compute. Tests replace both.
public:
    using AnswerProvider = std::function<QMessageBox::StandardButton(const QString& title, const QString& text)>;
    using MessageReporter = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    void setAnswerProvider(AnswerProvider provider);
    void setMessageReporter(MessageReporter reporter);

private:
    static QMessageBox::StandardButton askQuestion(const QString& title, const QString& text);
    static void reportProblem(QWidget* parent, const QString& title, const QString& text);

    AnswerProvider m_answerProvider = askQuestion;
    MessageReporter m_messageReporter = reportProblem;
};

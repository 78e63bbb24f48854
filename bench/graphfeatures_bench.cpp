// Benchmarks of the graph-features tab: computing every measure through the
// dialog's buttons, and opening the line plot of a node-wise measure, on a
// subject of the usual atlas size with five conditions.
#include "plots/lineplot.h"
#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "study/subjectrecord.h"
#include "subject/connectivityobjectui.h"
#include "testmanifest.h"

#include <QApplication>
#include <QJsonArray>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "widgetbenchmarks.h"

#include <iostream>
#include <memory>
#include <random>
#include <sstream>

namespace {

constexpr int kNodes = 264;
constexpr int kMatrices = 5;

// Rows of the measures in the table; the headings lie in between.
const int kMeasureRows[] = {1, 2, 4, 6, 7, 9, 10};
constexpr int kClusteringRow = 1;

// A dense symmetric matrix of correlation-like weights in -0.9 ... 0.9.
Eigen::MatrixXf randomWeights(std::mt19937& random)
{
    std::uniform_real_distribution<float> weight(-0.9f, 0.9f);
    Eigen::MatrixXf w = Eigen::MatrixXf::Identity(kNodes, kNodes);
    for (int i = 0; i < kNodes; ++i)
        for (int j = i + 1; j < kNodes; ++j)
            w(i, j) = w(j, i) = weight(random);
    return w;
}

// A subject on disk with five matrices under the protocol Rest, Task, Rest,
// Task, Rest, loaded, with its dialog open.
class Subject {
public:
    Subject()
    {
        std::mt19937 random(264);
        QStringList files;
        QStringList names;
        QJsonArray conditions;
        for (int k = 0; k < kMatrices; ++k) {
            files.append(QString("slice-%1.csv").arg(k + 1));
            testmanifest::writeFile(m_folder.path(), files.last(), testmanifest::csv(randomWeights(random)));
            conditions.append(QJsonObject{{"t", 20 * k}, {"name", k % 2 ? "Task" : "Rest"}, {"type", 1}});
        }
        for (int i = 0; i < kNodes; ++i)
            names.append(QString("Region %1").arg(i + 1));
        QJsonObject manifest = testmanifest::validManifest("bench", names, files);
        testmanifest::setKey(manifest, "configuration.uses_proto", true);
        testmanifest::setKey(manifest, "configuration.ordered_conditions", conditions);
        const QString path = testmanifest::writeManifest(m_folder.path(), manifest);

        m_record = std::make_unique<SubjectRecord>(readStudyManifest(path.toStdString()),
                                                   m_folder.path().toStdString(), "manifest.json");
        m_subject = std::make_unique<ConnectivityObject>(m_record.get(), nullptr);
        // Loading writes every matrix to standard output, which would bury
        // the benchmark's table.
        std::ostringstream discarded;
        std::streambuf* const standardOutput = std::cout.rdbuf(discarded.rdbuf());
        m_subject->loadMatrices();
        std::cout.rdbuf(standardOutput);
        m_dialog = std::make_unique<ConnectivityObjectUI>(m_subject.get());
        m_dialog->setAnswerProvider([](const QString&, const QString&) { return QMessageBox::Yes; });
        m_dialog->show();
        QApplication::processEvents();
    }

    QPushButton* button(int row, int column) const
    {
        auto* view = m_dialog->findChild<QTableView*>("tblView_GraphFeatures");
        return qobject_cast<QPushButton*>(view->indexWidget(view->model()->index(row, column)));
    }
    ConnectivityObjectUI* dialog() const { return m_dialog.get(); }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<SubjectRecord> m_record;
    std::unique_ptr<ConnectivityObject> m_subject;
    std::unique_ptr<ConnectivityObjectUI> m_dialog;
};

void computeAllMeasures(benchmark::State& state)
{
    Subject subject;
    for (auto _ : state) {
        for (int row : kMeasureRows)
            subject.button(row, 3)->click();
        QApplication::processEvents();
    }
    state.counters["target_ms"] = 500;
}

void openLinePlot(benchmark::State& state)
{
    Subject subject;
    subject.button(kClusteringRow, 3)->click();
    for (auto _ : state) {
        subject.button(kClusteringRow, 4)->click();
        QApplication::processEvents();
        state.PauseTiming();
        delete subject.dialog()->findChild<LinePlot*>();
        state.ResumeTiming();
    }
    state.counters["target_ms"] = 300;
}

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("compute_all_measures/264", computeAllMeasures)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("open_line_plot/264", openLinePlot)->Unit(benchmark::kMillisecond)->UseRealTime();
    });
}

// Benchmarks of the matrix viewer, built offscreen through the subject's
// dialog the way a user opens it: opening on a subject and switching
// conditions, with the process's peak memory. Targets are the counter
// target_ms; scripts/run-benchmarks checks them.
#include "plots/viewmatrix.h"
#include "study/connectivityobject.h"
#include "study/studymanifestreader.h"
#include "study/subjectrecord.h"
#include "subject/connectivityobjectui.h"
#include "testfolder.h"

#include <benchmark/benchmark.h>

#include "widgetbenchmarks.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QTableWidget>


#include <iostream>
#include <memory>
#include <random>
#include <sstream>

using namespace testmanifest;

namespace {

constexpr int kConditions = 3;

// A subject with one random symmetric matrix in -1 ... 1 per condition and a
// protocol naming the conditions, loaded as the main window loads it.
class Subject {
public:
    explicit Subject(int nodes)
    {
        std::mt19937 random{unsigned(nodes)};
        std::uniform_real_distribution<float> value(-1.0f, 1.0f);
        QStringList names;
        for (int node = 0; node < nodes; ++node)
            names.append(QStringLiteral("Region %1").arg(node));
        QStringList files;
        QJsonArray protocol;
        for (int k = 0; k < kConditions; ++k) {
            Eigen::MatrixXf matrix(nodes, nodes);
            for (int r = 0; r < nodes; ++r)
                for (int c = 0; c <= r; ++c)
                    matrix(r, c) = matrix(c, r) = value(random);
            files.append(QStringLiteral("condition-%1.csv").arg(k));
            m_folder.write(files.last(), csv(matrix));
            protocol.append(QJsonObject{{"t", 40 * k}, {"name", QStringLiteral("Condition %1").arg(k)}, {"type", 1}});
        }
        QJsonObject manifest = validManifest("bench", names, files);
        setKey(manifest, "configuration.uses_proto", true);
        setKey(manifest, "configuration.ordered_conditions", protocol);
        const QString path = writeManifest(m_folder.path(), manifest);
        m_record = std::make_unique<SubjectRecord>(readStudyManifest(path.toStdString()), m_folder.path().toStdString(),
                                                   "manifest.json");
        m_object = std::make_unique<ConnectivityObject>(m_record.get(), nullptr);
        // Loading echoes every matrix to standard output.
        std::ostringstream echo;
        std::streambuf* out = std::cout.rdbuf(echo.rdbuf());
        const bool loaded = m_object->loadMatrices();
        std::cout.rdbuf(out);
        if (!loaded)
            qFatal("viewer-bench: %s", qPrintable(m_object->errorString()));
    }

    // A new dialog, so that the next "Visualize" press builds a new viewer.
    std::unique_ptr<ConnectivityObjectUI> dialog() const
    {
        return std::make_unique<ConnectivityObjectUI>(m_object.get());
    }

private:
    TestFolder m_folder;
    std::unique_ptr<SubjectRecord> m_record;
    std::unique_ptr<ConnectivityObject> m_object;
};

// Presses "Visualize" and lets the viewer paint itself once.
ViewMatrix* openViewer(ConnectivityObjectUI& dialog)
{
    dialog.findChild<QPushButton*>("pb_PlotConnMtx")->click();
    auto* viewer = dialog.findChild<ViewMatrix*>();
    QApplication::processEvents();
    return viewer;
}

void recordPeakMemory(benchmark::State& state)
{
    state.counters["peak_mb"] = peakMegabytes();
}

void open(benchmark::State& state, int nodes, double targetMs)
{
    const Subject subject(nodes);
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = subject.dialog();
        state.ResumeTiming();
        openViewer(*dialog);
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["target_ms"] = targetMs;
    recordPeakMemory(state);
}

// Alternates between the second and the third condition by a click on the
// condition's name.
void browse(benchmark::State& state, int nodes, double targetMs)
{
    const Subject subject(nodes);
    auto dialog = subject.dialog();
    ViewMatrix* viewer = openViewer(*dialog);
    QList<QObject*> names;
    for (QObject* label : viewer->findChildren<QObject*>())
        if (label->property("row").isValid() && label->metaObject()->indexOfSignal("clicked()") >= 0)
            names.append(label);
    int condition = 1;
    for (auto _ : state) {
        for (QObject* label : qAsConst(names))
            if (label->property("row").toInt() == condition && !label->property("text").toString().isEmpty())
                QMetaObject::invokeMethod(label, "clicked");
        QApplication::processEvents();
        condition = condition == 1 ? 2 : 1;
    }
    state.counters["target_ms"] = targetMs;
    recordPeakMemory(state);
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("viewer_open/264", open, 264, 300.0)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("viewer_browse/264", browse, 264, 200.0)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("viewer_open/1000", open, 1000, 3000.0)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(2);
}

// The dialog writes a trace line on every "Visualize"; it would drown the
// table.
void quietDebug(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv, [] {
        qInstallMessageHandler(quietDebug);
        registerBenchmarks();
    });
}

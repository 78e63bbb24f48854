// Benchmarks of quiver's measures and CSV reader on dense correlation-like
// matrices of the usual atlas sizes. Each benchmark with a speed target
// carries it as the counter target_ms; scripts/run-benchmarks checks it.
#include "quiver/csv.h"
#include "quiver/measures.h"
#include "runbenchmarks.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<int> kNodeCounts = {116, 264, 400, 1000};

// The correlation matrix of simulated regional time series: every region
// follows one of seven network signals with its own loading, plus a weak
// global signal and noise, so the matrix is dense with a block structure,
// like resting-state data.
Eigen::MatrixXf simulateCorrelations(int nodes)
{
    constexpr int kTimePoints = 300;
    constexpr int kNetworks = 7;
    std::mt19937 random{unsigned(nodes)};
    std::normal_distribution<float> gaussian(0.0f, 1.0f);
    std::uniform_real_distribution<float> loading(0.3f, 1.5f);

    Eigen::MatrixXf signals(kTimePoints, kNetworks + 1);
    for (Eigen::Index i = 0; i < signals.size(); ++i)
        signals.data()[i] = gaussian(random);
    Eigen::MatrixXf series(kTimePoints, nodes);
    for (int node = 0; node < nodes; ++node) {
        const float weight = loading(random);
        for (int t = 0; t < kTimePoints; ++t)
            series(t, node) = weight * signals(t, node % kNetworks) + 0.3f * signals(t, kNetworks) + gaussian(random);
    }
    series.rowwise() -= series.colwise().mean();
    series.colwise().normalize();
    Eigen::MatrixXf correlations = series.transpose() * series;
    correlations.diagonal().setOnes();
    return correlations;
}

const Eigen::MatrixXf& correlations(int nodes)
{
    static std::map<int, Eigen::MatrixXf> cache;
    auto found = cache.find(nodes);
    if (found == cache.end())
        found = cache.emplace(nodes, simulateCorrelations(nodes)).first;
    return found->second;
}

const std::filesystem::path& csvFolder()
{
    static const std::filesystem::path folder = [] {
        std::random_device seed;
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("quiver-bench-" + std::to_string(seed()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The matrix written the way the connectivity plug-in writes it: 9
// significant digits, "," between values.
std::string csvFile(int nodes)
{
    const std::filesystem::path path = csvFolder() / ("correlations-" + std::to_string(nodes) + ".csv");
    if (!std::filesystem::exists(path)) {
        const Eigen::MatrixXf& m = correlations(nodes);
        std::ofstream file(path, std::ios::binary);
        char text[32];
        for (Eigen::Index r = 0; r < m.rows(); ++r) {
            for (Eigen::Index c = 0; c < m.cols(); ++c) {
                const auto end = std::to_chars(text, text + sizeof text, m(r, c), std::chars_format::general, 9).ptr;
                file.write(text, end - text);
                file.put(c + 1 < m.cols() ? ',' : '\n');
            }
        }
    }
    return path.string();
}

using NodeMeasure = std::function<void(const Eigen::MatrixXf&)>;

const std::vector<std::pair<std::string, NodeMeasure>>& measures()
{
    static const std::vector<std::pair<std::string, NodeMeasure>> table = {
        {"clustering_coeff", [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::clustering_coeff(w)); }},
        {"local_efficiency", [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::local_efficiency(w)); }},
        {"global_efficiency", [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::global_efficiency(w)); }},
        {"degree", [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::degree(w)); }},
        {"eigenvector_centrality",
         [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::eigenvector_centrality(w)); }},
        {"strength", [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::strength(w)); }},
        {"nodal_global_efficiency",
         [](const Eigen::MatrixXf& w) { benchmark::DoNotOptimize(quiver::nodal_global_efficiency(w)); }},
    };
    return table;
}

// Targets in milliseconds; 0 means none.
double measureTarget(const std::string& id, int nodes)
{
    if (nodes == 264 && id == "local_efficiency")
        return 100;
    if (nodes == 400)
        return 300;
    if (nodes == 1000 && (id == "global_efficiency" || id == "nodal_global_efficiency"))
        return 200;
    return 0;
}

void setTarget(benchmark::State& state, double milliseconds)
{
    if (milliseconds > 0)
        state.counters["target_ms"] = milliseconds;
}

// Wall-clock milliseconds for every benchmark.
void registerBenchmark(const std::string& name, std::function<void(benchmark::State&)> run)
{
    benchmark::RegisterBenchmark(name.c_str(), std::move(run))->Unit(benchmark::kMillisecond)->UseRealTime();
}

void registerBenchmarks()
{
    for (const auto& [id, measure] : measures()) {
        for (int nodes : kNodeCounts) {
            registerBenchmark(id + "/" + std::to_string(nodes),
                                         [measure = measure, id = id, nodes](benchmark::State& state) {
                                             const Eigen::MatrixXf& w = correlations(nodes);
                                             for (auto _ : state)
                                                 measure(w);
                                             setTarget(state, measureTarget(id, nodes));
                                         });
        }
    }
    for (int nodes : kNodeCounts) {
        registerBenchmark("all_measures/" + std::to_string(nodes),
                                     [nodes](benchmark::State& state) {
                                         const Eigen::MatrixXf& w = correlations(nodes);
                                         for (auto _ : state) {
                                             for (const auto& entry : measures())
                                                 entry.second(w);
                                         }
                                         setTarget(state, nodes == 116 ? 10 : 0);
                                     });
    }
    for (int nodes : kNodeCounts) {
        registerBenchmark("from_csv/" + std::to_string(nodes),
                                     [nodes](benchmark::State& state) {
                                         const std::string path = csvFile(nodes);
                                         for (auto _ : state)
                                             benchmark::DoNotOptimize(quiver::from_csv(path));
                                         state.SetBytesProcessed(int64_t(state.iterations())
                                                                 * int64_t(std::filesystem::file_size(path)));
                                         setTarget(state, nodes == 1000 ? 40 : 0);
                                     });
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (const int status = runBenchmarks(argc, argv, registerBenchmarks))
        return status;
    std::error_code ignored;
    std::filesystem::remove_all(csvFolder(), ignored);
    return 0;
}

// kestrel-measures: graph measures of study manifests and CSV matrices as
// one tidy CSV table.
#include "commandline.h"
#include "matrixinput.h"
#include "measuretable.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

const char kHelp[] = R"(usage: kestrel-measures [options] FILE...

Computes graph measures of connectivity matrices and writes them as one CSV
table with a header row and one row per node of every matrix.

FILE is either
  a study manifest (a name ending in .json): every matrix of its
      result_data.final_mtx list is measured; rows carry the subject's study
      ID, the condition name (the matrix's file name when the study has no
      protocol) and the selected VOI names;
  a CSV matrix (any other name): rows carry an empty subject, the file
      name and node indexes from 0.

Options:
  -o, --output FILE     write the table to FILE instead of standard output
  -m, --measure LIST    comma-separated measure ids to compute, in column
                        order (default: all seven, in the order below)
  -h, --help            show this text

Columns: subject, matrix, node, then one per measure:
  clustering_coeff        weighted clustering coefficient (Onnela et al. 2005)
  local_efficiency        weighted local efficiency (modified form of
                          Wang et al. 2017; binary local efficiency on 0/1)
  global_efficiency       mean nodal global efficiency of the matrix,
                          repeated on every row of that matrix
  degree                  number of edges
  eigenvector_centrality  eigenvector of the largest eigenvalue of the
                          weighted adjacency matrix, non-negative, unit norm
  strength                sum of edge weights
  nodal_global_efficiency mean of 1 / shortest-path length to the other nodes
Values have 9 significant digits (every float exactly); fields with commas or
quotes are quoted.

How a matrix is read as a graph: weighted and undirected, from the upper
triangle (entry i,j with i < j is the edge i-j); the lower triangle and the
diagonal are ignored; the weight is the absolute value; NaN and 0 are no edge.
Clustering and local efficiency use weights divided by the largest weight of
the matrix. Path lengths are 1 / weight; unreachable nodes add 0.

Exit status: 0 when every FILE was measured; 1 when one could not be read or
measured (the problem is written to standard error with the file's name, its
rows are left out, the other files are still measured); 2 for wrong usage.
)";

// Writes the header and the rows of every input that could be measured;
// returns 1 when an input could not be, else 0.
int writeTable(std::ostream& out, const CommandLine& command)
{
    out << tableHeader(command.columns);
    int status = 0;
    for (const std::string& path : command.inputs) {
        // An input's rows are written only when all of its matrices worked.
        std::string rows;
        try {
            for (const LabelledMatrix& m : readMatrixInput(path))
                rows += tableRows(m, command.columns);
        } catch (const std::exception& e) {
            std::cerr << "kestrel-measures: " << e.what() << "\n";
            status = 1;
            continue;
        }
        out << rows;
    }
    return status;
}

int run(const CommandLine& command)
{
    std::ofstream file;
    if (command.output) {
        file.open(std::filesystem::u8path(*command.output), std::ios::binary);
        if (!file) {
            std::cerr << "kestrel-measures: " << *command.output << ": cannot write file\n";
            return 1;
        }
    }
    std::ostream& out = command.output ? file : std::cout;
    const int status = writeTable(out, command);
    out.flush();
    if (!out) {
        std::cerr << "kestrel-measures: cannot write the table\n";
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    CommandLine command;
    try {
        command = parseCommandLine(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "kestrel-measures: " << e.what() << "\nTry 'kestrel-measures --help'.\n";
        return 2;
    }
    if (command.help) {
        std::cout << kHelp;
        return 0;
    }
    return run(command);
}

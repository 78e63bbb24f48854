#pragma once

#include "study/subjectrecord.h"

#include <Eigen/Dense>

#include <functional>
#include <string>
#include <vector>

// A subject's connectivity matrices and node names, read from the files its
// manifest names.
struct SubjectMatrices {
    std::vector<std::string> paths;        // the final matrix files, in list order
    std::vector<Eigen::MatrixXf> matrices; // one per file
    std::vector<std::string> nodeNames;    // the selected VOIs' names, in node order
};

// Reads every final matrix file (directory + "/" + file name) in list order,
// calling matrixRead with each as it is read, then the node names. Every
// matrix must be square with one row per node. Throws std::runtime_error
// whose message names the file to blame: a missing or malformed matrix file,
// a matrix of the wrong shape, or the manifest for a selected VOI that does
// not exist.
SubjectMatrices readSubjectMatrices(const SubjectRecord& subject,
                                    const std::function<void(const Eigen::MatrixXf&)>& matrixRead = {});

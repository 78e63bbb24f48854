#pragma once

#include "measuretable.h"

#include <string>
#include <vector>

// The matrices of one command-line input with their labels:
// - a study manifest (a name ending in ".json", any case): every final
//   matrix file it lists, labelled with the subject's study ID, the
//   condition name (the matrix file's name when the study has no protocol)
//   and the selected VOI names;
// - any other file: one CSV matrix, labelled with no subject, its file name
//   and node indexes from 0.
// Throws std::exception with a message that names the file at fault when a
// file cannot be read or a matrix is not square or does not fit the nodes.
std::vector<LabelledMatrix> readMatrixInput(const std::string& path);

#pragma once

#include <QMetaType>

#include <vector>

// Node-wise results of one measure: one series per matrix, one value per node.
using SeriesList = std::vector<std::vector<float>>;

Q_DECLARE_METATYPE(SeriesList)

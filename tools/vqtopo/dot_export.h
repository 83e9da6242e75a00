// The Graphviz form of a view: its children pinned at their positions (for neato), filled
// with their severity colours, and the links between them.
#ifndef VQTOPO_DOT_EXPORT_H_
#define VQTOPO_DOT_EXPORT_H_

#include <string>

#include "view_model.h"

std::string to_dot(const ViewModel& model);

#endif  // VQTOPO_DOT_EXPORT_H_

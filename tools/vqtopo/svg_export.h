// The SVG drawing of a view: its background image, the chain of views above it coloured by
// severity, links as lines and children as coloured nodes at their positions. The live map
// shows the same drawing.
#ifndef VQTOPO_SVG_EXPORT_H_
#define VQTOPO_SVG_EXPORT_H_

#include <string>

#include "view_model.h"

std::string to_svg(const ViewModel& model);

#endif  // VQTOPO_SVG_EXPORT_H_

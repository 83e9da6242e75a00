// The draw.io form of a view (an mxfile holding one mxGraphModel): the background image as
// a locked picture behind everything, children as coloured boxes, links as edges.
#ifndef VQTOPO_DRAWIO_EXPORT_H_
#define VQTOPO_DRAWIO_EXPORT_H_

#include <string>

#include "view_model.h"

std::string to_drawio(const ViewModel& model);

#endif  // VQTOPO_DRAWIO_EXPORT_H_

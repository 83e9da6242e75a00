// The web page of the live map: it draws whatever drawing the server streams to it.
#ifndef VQTOPO_MAP_PAGE_H_
#define VQTOPO_MAP_PAGE_H_

#include <string>

std::string map_page(const std::string& view_name);

#endif  // VQTOPO_MAP_PAGE_H_

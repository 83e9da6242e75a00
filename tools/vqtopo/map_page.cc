#include "map_page.h"

#include "markup.h"

namespace {

// The drawing arrives as server-sent events, one whole SVG each: a page that only swaps
// drawings has nothing to get out of step with the server.
constexpr const char* page_tail = R"(</title>
<style>
  body { margin: 0; font-family: sans-serif; background: #eeeeea; }
  header { padding: 8px 12px; background: #333333; color: #ffffff; }
  #status { float: right; font-size: 90%; }
  #map { padding: 12px; }
  #map svg { background: #ffffff; box-shadow: 0 1px 4px #0004; }
</style>
</head>
<body>
<header>vqtopo live map <span id="status">connecting</span></header>
<div id="map"></div>
<script>
  const map = document.getElementById('map');
  const status = document.getElementById('status');
  const events = new EventSource('events');
  events.onmessage = (event) => {
    map.innerHTML = event.data;
    status.textContent = 'live';
  };
  events.onerror = () => { status.textContent = 'reconnecting'; };
</script>
</body>
</html>
)";

}  // namespace

std::string map_page(const std::string& view_name) {
  return "<!doctype html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>vqtopo: " +
         xml_escape(view_name) + page_tail;
}

// The ASN.1 forms of the node value types, as element codecs for the attribute table.
#ifndef DEDAVUZ_NODE_TOPO_NODE_CODECS_H_
#define DEDAVUZ_NODE_TOPO_NODE_CODECS_H_

#include "core/attribute_codecs.h"
#include "dedavuz_api/topo_node.h"

// SEQUENCE { x, y, z } of INTEGER.
struct VQLocationCodec {
  static hvx::Asn1Value encode(const VQTopoNode::Location& location) {
    hvx::Asn1Value value = hvx::ber::sequence();
    value.add_component(hvx::ber::integer(location.x));
    value.add_component(hvx::ber::integer(location.y));
    value.add_component(hvx::ber::integer(location.z));
    return value;
  }
  static bool decode(const hvx::Asn1Value& value, VQTopoNode::Location& out) {
    VQTopoNode::Location location;
    const hvx::Asn1Value x = value.first_component();
    const hvx::Asn1Value y = x.next_component();
    if (!vq_is(value, hvx::TAG_SEQ) || !x.decode_int(location.x) || !y.decode_int(location.y) ||
        !y.next_component().decode_int(location.z)) {
      return false;
    }
    out = location;
    return true;
  }
};

using VQDisplayStatusCodec =
    VQPairCodec<&VQTopoNode::DisplayStatus::label, &VQTopoNode::DisplayStatus::value>;
using VQViewConfigDatumCodec =
    VQPairCodec<&VQTopoNode::ViewConfigDatum::name, &VQTopoNode::ViewConfigDatum::value>;
using VQGeoLocationCodec =
    VQPairCodec<&VQTopoNode::GeoLocation::latitude, &VQTopoNode::GeoLocation::longitude>;
using VQArrayCellSizeCodec =
    VQPairCodec<&VQTopoNode::ArrayCellSize::width, &VQTopoNode::ArrayCellSize::height>;

#endif  // DEDAVUZ_NODE_TOPO_NODE_CODECS_H_

// BER decoding, walking and encoding of a generated corpus, each beside OpenSSL's generic
// ASN.1 code on the same bytes when OpenSSL is available.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hvx/asn1.h"

#ifdef ASN1_BENCH_WITH_OPENSSL
#include <openssl/asn1.h>
#include <openssl/asn1t.h>
#endif

namespace {

using hvx::Asn1Tag;
using hvx::Asn1Value;

// 1000 records of 12 values each, about 75 KB of DER, the same bytes on every run:
// SEQUENCE { INTEGER, OCTET STRING, OBJECT IDENTIFIER, SEQUENCE { INTEGER x3 },
// SET OF INTEGER x3 } inside one outer SEQUENCE.
Asn1Value make_corpus_value() {
  std::uint64_t state = 0x9e3779b97f4a7c15ULL;
  auto random = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  auto integer = [](long v) {
    Asn1Value value;
    value.encode_int(v);
    return value;
  };
  Asn1Value corpus;
  corpus.start_construct(hvx::TAG_SEQ, 12001);
  for (int record = 0; record < 1000; ++record) {
    Asn1Value seq;
    seq.start_construct(hvx::TAG_SEQ, 12);
    seq.add_component(integer(static_cast<long>(random() % 1000000)));
    Asn1Value name;
    name.encode_octets(std::string(8 + random() % 16, static_cast<char>('a' + record % 26)));
    seq.add_component(name);
    Asn1Value oid;
    oid.encode_oid(hvx::Oid({1, 3, 6, 1, 4, 1, 7351, 2, 2, 2, 40, 7, random() % 300}));
    seq.add_component(oid);
    Asn1Value position;
    position.start_construct(hvx::TAG_SEQ, 3);
    for (int i = 0; i < 3; ++i) position.add_component(integer(static_cast<long>(random() % 5000)));
    seq.add_component(position);
    Asn1Value set;
    set.start_construct(hvx::TAG_SET, 3);
    for (int i = 0; i < 3; ++i) set.add_component(integer(static_cast<long>(random() % 70000)));
    seq.add_component(set);
    corpus.add_component(seq);
  }
  return corpus;
}

const hvx::DataUnit& corpus() {
  static const hvx::DataUnit der = make_corpus_value().encode();
  return der;
}

void set_counters(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus().size()));
  state.counters["values"] = 12001;
}

void BM_Hvx_DecodeTree(benchmark::State& state) {
  for (auto _ : state) {
    Asn1Value value;
    if (!Asn1Value::decode(corpus(), value).ok()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(value);
  }
  set_counters(state);
}
BENCHMARK(BM_Hvx_DecodeTree);

void BM_Hvx_Walk(benchmark::State& state) {
  for (auto _ : state) {
    hvx::Asn1Reader reader(corpus().view());
    std::size_t sum = 0;
    while (reader.next()) sum += reader.tag().number() + reader.content_length();
    benchmark::DoNotOptimize(sum);
  }
  set_counters(state);
}
BENCHMARK(BM_Hvx_Walk);

void BM_Hvx_Encode(benchmark::State& state) {
  Asn1Value value;
  (void)Asn1Value::decode(corpus(), value);
  for (auto _ : state) {
    hvx::DataUnit der = value.encode();
    benchmark::DoNotOptimize(der);
  }
  set_counters(state);
}
BENCHMARK(BM_Hvx_Encode);

#ifdef ASN1_BENCH_WITH_OPENSSL

// OpenSSL's generic SEQUENCE OF ANY keeps a nested SEQUENCE or SET as its undecoded
// encoding; the full tree decodes those again, level by level.
struct OpenSslTree {
  STACK_OF(ASN1_TYPE) * items = nullptr;
  std::vector<OpenSslTree> children;  // for the items that are SEQUENCE or SET

  OpenSslTree() = default;
  OpenSslTree(OpenSslTree&& other) noexcept
      : items(std::exchange(other.items, nullptr)), children(std::move(other.children)) {}
  OpenSslTree(const OpenSslTree&) = delete;
  OpenSslTree& operator=(const OpenSslTree&) = delete;
  ~OpenSslTree() {
    if (items) sk_ASN1_TYPE_pop_free(items, ASN1_TYPE_free);
  }
};

bool decode_tree(const unsigned char* data, long length, bool is_set, OpenSslTree& tree) {
  const unsigned char* p = data;
  tree.items =
      is_set ? d2i_ASN1_SET_ANY(nullptr, &p, length) : d2i_ASN1_SEQUENCE_ANY(nullptr, &p, length);
  if (!tree.items) return false;
  const int count = sk_ASN1_TYPE_num(tree.items);
  for (int i = 0; i < count; ++i) {
    const ASN1_TYPE* item = sk_ASN1_TYPE_value(tree.items, i);
    if (item->type != V_ASN1_SEQUENCE && item->type != V_ASN1_SET) continue;
    tree.children.emplace_back();
    const ASN1_STRING* encoding = item->value.sequence;
    if (!decode_tree(encoding->data, encoding->length, item->type == V_ASN1_SET,
                     tree.children.back())) {
      return false;
    }
  }
  return true;
}

// Re-encodes the children into their items, then the items.
int encode_tree(OpenSslTree& tree, bool is_set, unsigned char** out) {
  const int count = sk_ASN1_TYPE_num(tree.items);
  std::size_t child = 0;
  for (int i = 0; i < count; ++i) {
    ASN1_TYPE* item = sk_ASN1_TYPE_value(tree.items, i);
    if (item->type != V_ASN1_SEQUENCE && item->type != V_ASN1_SET) continue;
    unsigned char* bytes = nullptr;
    const int length = encode_tree(tree.children[child++], item->type == V_ASN1_SET, &bytes);
    if (length < 0) return -1;
    ASN1_STRING_set(item->value.sequence, bytes, length);
    OPENSSL_free(bytes);
  }
  return is_set ? i2d_ASN1_SET_ANY(tree.items, out) : i2d_ASN1_SEQUENCE_ANY(tree.items, out);
}

const unsigned char* corpus_bytes() { return corpus().bytes(); }
long corpus_length() { return static_cast<long>(corpus().size()); }

void BM_OpenSsl_DecodeOneLevel(benchmark::State& state) {
  for (auto _ : state) {
    const unsigned char* p = corpus_bytes();
    STACK_OF(ASN1_TYPE)* items = d2i_ASN1_SEQUENCE_ANY(nullptr, &p, corpus_length());
    if (!items) state.SkipWithError("d2i failed");
    sk_ASN1_TYPE_pop_free(items, ASN1_TYPE_free);
  }
  set_counters(state);
}
BENCHMARK(BM_OpenSsl_DecodeOneLevel);

void BM_OpenSsl_DecodeTree(benchmark::State& state) {
  for (auto _ : state) {
    OpenSslTree tree;
    if (!decode_tree(corpus_bytes(), corpus_length(), false, tree)) {
      state.SkipWithError("d2i failed");
    }
    benchmark::DoNotOptimize(tree.items);
  }
  set_counters(state);
}
BENCHMARK(BM_OpenSsl_DecodeTree);

void BM_OpenSsl_Walk(benchmark::State& state) {
  for (auto _ : state) {
    const unsigned char* p = corpus_bytes();
    const unsigned char* const end = p + corpus_length();
    std::size_t sum = 0;
    while (p < end) {
      long length;
      int tag, tag_class;
      const int flags = ASN1_get_object(&p, &length, &tag, &tag_class, end - p);
      if (flags & 0x80) {
        state.SkipWithError("ASN1_get_object failed");
        break;
      }
      sum += static_cast<std::size_t>(tag) + static_cast<std::size_t>(length);
      // Into a constructed value's contents; past a primitive one's.
      if (!(flags & V_ASN1_CONSTRUCTED)) p += length;
    }
    benchmark::DoNotOptimize(sum);
  }
  set_counters(state);
}
BENCHMARK(BM_OpenSsl_Walk);

void BM_OpenSsl_EncodeOneLevel(benchmark::State& state) {
  const unsigned char* p = corpus_bytes();
  STACK_OF(ASN1_TYPE)* items = d2i_ASN1_SEQUENCE_ANY(nullptr, &p, corpus_length());
  for (auto _ : state) {
    unsigned char* out = nullptr;
    const int length = i2d_ASN1_SEQUENCE_ANY(items, &out);
    if (length != corpus_length()) state.SkipWithError("i2d gave other bytes");
    OPENSSL_free(out);
  }
  sk_ASN1_TYPE_pop_free(items, ASN1_TYPE_free);
  set_counters(state);
}
BENCHMARK(BM_OpenSsl_EncodeOneLevel);

void BM_OpenSsl_EncodeTree(benchmark::State& state) {
  OpenSslTree tree;
  if (!decode_tree(corpus_bytes(), corpus_length(), false, tree)) state.SkipWithError("d2i");
  for (auto _ : state) {
    unsigned char* out = nullptr;
    const int length = encode_tree(tree, false, &out);
    if (length != corpus_length()) state.SkipWithError("i2d gave other bytes");
    OPENSSL_free(out);
  }
  set_counters(state);
}
BENCHMARK(BM_OpenSsl_EncodeTree);

#endif  // ASN1_BENCH_WITH_OPENSSL

}  // namespace

BENCHMARK_MAIN();

#include "reports/plan_json.h"

#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// The length of the valid UTF-8 sequence starting at `at`, or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned int low = 0x80;
  unsigned int high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned int next = byte(at + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

void AppendUnicodeEscape(std::string& out, unsigned int code) {
  out += "\\u00";
  out += kHexDigits[(code >> 4) & 0xF];
  out += kHexDigits[code & 0xF];
}

// A minimal writer of one document: objects and arrays opened and closed in
// order, commas placed by the writer.
class JsonWriter {
 public:
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  void Key(std::string_view key) {
    Separate();
    out_ += JsonString(key) + ":";
    afterKey_ = true;
  }
  void String(std::string_view text) { Value(JsonString(text)); }
  void Number(double value) { Value(ShortestDecimal(value)); }
  void Integer(long long value) { Value(std::to_string(value)); }
  void Bool(bool value) { Value(value ? "true" : "false"); }
  void Length(std::string_view key, const PlannedLength& length) {
    Key(key);
    Number(length.value);
    Key(std::string(key) + "Text");
    String(length.text);
  }
  std::string Take() { return std::move(out_) + "\n"; }

 private:
  void Value(const std::string& text) {
    Separate();
    out_ += text;
    first_ = false;
  }
  void Separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (!first_) out_ += ',';
    first_ = false;
  }

  std::string out_;
  bool first_ = true;
  bool afterKey_ = false;
};

void WritePiece(JsonWriter& json, const PlannedPiece& piece) {
  json.Open('{');
  json.Key("mark");
  json.String(piece.mark);
  json.Length("length", piece.length);
  json.Close('}');
}

void WriteBar(JsonWriter& json, const PlannedBar& bar) {
  json.Open('{');
  json.Key("stockRow");
  json.Integer(bar.stockRow);
  json.Key("bin");
  json.String(bar.bin);
  json.Key("orderable");
  json.Bool(bar.orderable);
  json.Length("length", bar.length);
  json.Key("pieces");
  json.Open('[');
  for (const PlannedPiece& piece : bar.pieces) WritePiece(json, piece);
  json.Close(']');
  json.Length("scrap", bar.scrap);
  json.Close('}');
}

void WriteMaterial(JsonWriter& json, const MaterialPlan& plan, const LengthText& lengths) {
  json.Open('{');
  json.Key("material");
  json.String(plan.material);
  json.Key("cut");
  json.Bool(plan.notCutReason.empty());
  if (!plan.notCutReason.empty()) {
    json.Key("reason");
    json.String(plan.notCutReason);
  }
  json.Key("stock");
  json.Open('[');
  for (const PlannedStockRow& row : plan.stock) {
    json.Open('{');
    json.Key("bin");
    json.String(row.bin);
    json.Key("orderable");
    json.Bool(row.orderable);
    json.Length("length", row.length);
    json.Key("used");
    json.Integer(row.used);
    json.Close('}');
  }
  json.Close(']');
  json.Key("bars");
  json.Open('[');
  for (const PlannedBar& bar : plan.bars) WriteBar(json, bar);
  json.Close(']');
  json.Key("piecesCut");
  json.Integer(plan.piecesCut);
  json.Key("piecesNotCut");
  json.Open('[');
  for (const PlannedPiece& piece : plan.piecesNotCut) WritePiece(json, piece);
  json.Close(']');
  json.Length("stockLength", {plan.stockLength, lengths.FormatLength(plan.stockLength)});
  json.Length("drop", {plan.drop, lengths.FormatLength(plan.drop)});
  json.Key("orderList");
  json.Open('[');
  for (const PlannedStockRow& row : plan.stock) {
    if (!row.orderable || row.used <= 0) continue;
    json.Open('{');
    json.Key("bin");
    json.String(row.bin);
    json.Key("count");
    json.Integer(row.used);
    json.Length("length", row.length);
    json.Close('}');
  }
  json.Close(']');
  if (plan.lowerBound > 0.0) {
    json.Length("lowerBound", {plan.lowerBound, lengths.FormatLength(plan.lowerBound)});
  }
  json.Close('}');
}

const char* UnitName(const JobState& job) {
  const UnitMode mode = UnitModeOf(job);
  if (mode.metric) return "millimetres";
  return mode.inchOnly ? "inches" : "feet";
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte < 0x20) {
      switch (byte) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: AppendUnicodeEscape(out, byte);
      }
    } else if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else if (const std::size_t length = Utf8SequenceLength(text, i); length > 0) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    } else {
      AppendUnicodeEscape(out, byte);
    }
    ++i;
  }
  return out + "\"";
}

std::string PlanJson(const JobState& job, MessageView& frontend,
                     const std::vector<MaterialPlan>& plans) {
  const LengthText lengths(job, frontend);
  JsonWriter json;
  json.Open('{');
  json.Key("unit");
  json.String(UnitName(job));
  json.Key("kerf");
  json.Number(KerfLength(job));
  json.Key("materials");
  json.Open('[');
  for (const MaterialPlan& plan : plans) WriteMaterial(json, plan, lengths);
  json.Close(']');
  json.Key("purchaseList");
  json.Open('[');
  for (const MaterialPlan& plan : plans) {
    for (const Purchase& purchase : PurchasesOf(plan)) {
      json.Open('{');
      json.Key("material");
      json.String(plan.material);
      json.Length("length", purchase.length);
      json.Key("count");
      json.Integer(purchase.count);
      json.Length("totalLength",
                  {purchase.totalLength, lengths.FormatLength(purchase.totalLength)});
      json.Close('}');
    }
  }
  json.Close(']');
  json.Close('}');
  return json.Take();
}

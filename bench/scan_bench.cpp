// The version watch's whole scan of one retrieved message (making the message lines, marking folds,
// splitting, reading both headers, recording), on a typical 4 KB message and on a 20 MB multipart
// message with a base64 attachment, against known-software lists of 10, 1,000 and 10,000 entries.
// Anchors on the same bytes: one memchr pass over the text (the floor), GMime parsing the message
// and reading the two headers, and a split into one std::string per line.
#include <benchmark/benchmark.h>
#include <gmime/gmime.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "mail/message_lines.h"
#include "mail/version_key.h"
#include "mail/version_watch.h"
#include "ascii_upper.h"

namespace {

using namespace quorvel;

using quorvel::test::AsciiUpper;

const char kMailer[] = "Becky! ver. 2.75.01 [ja]";
const std::vector<std::pair<std::string, std::string>> kPlugIns = {
    {"Vintrell", "Ver.0.01 Rev.4"}, {"Spell Checker", "ver 1.2.3"}, {"Mail Filter", "Ver.2.10"}};

std::string Headers(const std::string& contentType) {
  std::string text =
      "Return-Path: <taro@example.jp>\r\n"
      "Received: from mail.example.jp (mail.example.jp [192.0.2.10])\r\n"
      "\tby mx.example.com (Postfix) with ESMTPS id 4QxYz12AbC\r\n"
      "\tfor <hanako@example.com>; Tue, 14 May 2024 10:21:33 +0900 (JST)\r\n"
      "Received: from [192.0.2.55] (unknown [192.0.2.55])\r\n"
      "\tby mail.example.jp (Postfix) with ESMTPSA id 9F1E2D3C4B\r\n"
      "\tfor <hanako@example.com>; Tue, 14 May 2024 10:21:30 +0900 (JST)\r\n"
      "Date: Tue, 14 May 2024 10:21:28 +0900\r\n"
      "From: Taro Yamada <taro@example.jp>\r\n"
      "To: Hanako Suzuki <hanako@example.com>\r\n"
      "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n"
      "Message-Id: <20240514102128.4F2A.A1B2C3D4@example.jp>\r\n"
      "MIME-Version: 1.0\r\n"
      "Content-Type: " +
      contentType +
      "\r\n"
      "X-Mailer: " +
      kMailer +
      "\r\n"
      "X-Mailer-Plugin: ";
  for (size_t i = 0; i < kPlugIns.size(); ++i)
    text += (i ? ",\r\n\t" : "") + kPlugIns[i].first + " " + kPlugIns[i].second;
  return text + "\r\n\r\n";
}

std::string TextLines(size_t bytes) {
  std::string text;
  for (int line = 0; text.size() < bytes; ++line)
    text += "Line " + std::to_string(line) + " of the letter, plain words as people write them.\r\n";
  return text;
}

std::string Base64Lines(size_t bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve(bytes + 80);
  uint32_t state = 12345;
  while (text.size() < bytes) {
    for (int i = 0; i < 76; ++i) {
      state = state * 1103515245u + 12345u;
      text += kDigits[(state >> 16) & 63];
    }
    text += "\r\n";
  }
  return text;
}

std::string TypicalMessage() {
  std::string text = Headers("text/plain; charset=\"ISO-2022-JP\"");
  return text + TextLines(4096 - text.size());
}

std::string LargeMessage() {
  const std::string boundary = "----=_NextPart_000_0012_01D9A1B2.3C4D5E60";
  return Headers("multipart/mixed;\r\n\tboundary=\"" + boundary + "\"") +
         "This is a multi-part message in MIME format.\r\n\r\n--" + boundary +
         "\r\nContent-Type: text/plain; charset=\"ISO-2022-JP\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" +
         TextLines(2000) + "\r\n--" + boundary +
         "\r\nContent-Type: application/octet-stream; name=\"photos.zip\"\r\n"
         "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; "
         "filename=\"photos.zip\"\r\n\r\n" +
         Base64Lines(20 << 20) + "\r\n--" + boundary + "--\r\n";
}

const std::string& MessageText(int64_t kind) {
  static const std::string typical = TypicalMessage(), large = LargeMessage();
  return kind == 0 ? typical : large;
}

// A list of `entries` entries that knows the message's programs with their versions.
KnownSoftware KnownList(int64_t entries) {
  KnownSoftware known(AsciiUpper);
  known.Add("Becky!", NormalizeVersion("ver. 2.75.01"));
  for (const auto& plugIn : kPlugIns)
    known.Add(plugIn.first, NormalizeVersion(plugIn.second));
  for (int64_t i = static_cast<int64_t>(known.Count()); i < entries; ++i)
    known.Add("Plug-in " + std::to_string(i), NormalizeVersion("1." + std::to_string(i % 100)));
  return known;
}

void BM_Scan(benchmark::State& state) {
  const std::string& text = MessageText(state.range(0));
  KnownSoftware known = KnownList(state.range(1));
  PendingTexts pending;
  int warnings = 0;
  const SplitWarning warn = [&](const std::string&) { ++warnings; };
  MessageLines lines;  // kept from message to message, as the module keeps it
  for (auto _ : state) {
    lines.SetText(text.c_str());
    ScanReceivedMessage(lines, "Becky", known, pending, AsciiUpper, warn);
    benchmark::DoNotOptimize(known.Count());
  }
  if (warnings != 0 || !pending.Empty() || known.Count() != static_cast<size_t>(state.range(1)))
    state.SkipWithError("the scan found something in a message it knows");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_MemchrFloor(benchmark::State& state) {
  const std::string& text = MessageText(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_GMime(benchmark::State& state) {
  const std::string& text = MessageText(state.range(0));
  for (auto _ : state) {
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(text.data(), text.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    if (message == nullptr) {
      state.SkipWithError("GMime could not parse the message");
      break;
    }
    benchmark::DoNotOptimize(g_mime_object_get_header(GMIME_OBJECT(message), "X-Mailer"));
    benchmark::DoNotOptimize(g_mime_object_get_header(GMIME_OBJECT(message), "X-Mailer-Plugin"));
    g_object_unref(message);
    g_object_unref(parser);
    g_object_unref(stream);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// What the message lines avoid: a heap string for every line.
void BM_StringPerLine(benchmark::State& state) {
  const std::string& text = MessageText(state.range(0));
  for (auto _ : state) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = start;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
      lines.emplace_back(text, start, end - start);
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Message 0 is the typical 4 KB one, message 1 the 20 MB one.
BENCHMARK(BM_MemchrFloor)->ArgName("message")->Arg(0)->Arg(1);
BENCHMARK(BM_GMime)->ArgName("message")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StringPerLine)->ArgName("message")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scan)
    ->ArgNames({"message", "known"})
    ->ArgsProduct({{0, 1}, {10, 1000, 10000}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  g_mime_init();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_mime_shutdown();
  return 0;
}

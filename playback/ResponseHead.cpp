#include "playback/ResponseHead.h"

namespace swivex {

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 204:
      return "No Content";
    case 206:
      return "Partial Content";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 416:
      return "Range Not Satisfiable";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Error";
  }
}

void WriteResponseHead(const ResponseHead& head, BoundedText& text) {
  text.Append("HTTP/1.1 ")
      .Append(static_cast<std::uint64_t>(head.status))
      .Append(" ")
      .Append(ReasonPhrase(head.status))
      .Append("\r\n");
  if (head.contentType) text.Append("Content-Type: ").Append(head.contentType).Append("\r\n");
  // A 204 has no body, and HTTP forbids it a length.
  if (!head.eventStream && head.status != 204)
    text.Append("Content-Length: ").Append(head.contentLength).Append("\r\n");
  if (head.gzip) text.Append("Content-Encoding: gzip\r\n");
  // A client that asked for the plain bytes must not be given a cached gzip copy, nor the
  // other way round.
  if (head.contentType && !head.eventStream) text.Append("Vary: Accept-Encoding\r\n");
  if (head.acceptsRanges) text.Append("Accept-Ranges: bytes\r\n");
  if (head.part && head.wholeSize) {
    text.Append("Content-Range: bytes ")
        .Append(head.part->first)
        .Append("-")
        .Append(head.part->last)
        .Append("/")
        .Append(*head.wholeSize)
        .Append("\r\n");
  } else if (head.wholeSize) {
    text.Append("Content-Range: bytes */").Append(*head.wholeSize).Append("\r\n");
  }
  if (head.status == 405) text.Append("Allow: GET, HEAD\r\n");
  text.Append("Cache-Control: no-store\r\n")
      .Append("X-Content-Type-Options: nosniff\r\n")
      .Append("Referrer-Policy: no-referrer\r\n");
  if (head.close) text.Append("Connection: close\r\n");
  text.Append("\r\n");
}

}  // namespace swivex

#include "tolvane/logfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

LogFile::LogFile() : fp(nullptr), gzfp(nullptr), f_open(false), gz_open(false), _mode(0) {}

LogFile::~LogFile() { close(); }

bool LogFile::plainKind() const {
  return (read() && write() && !filtered() && !huffmanOnly()) ||
         (write() && compression() == 0);
}

bool LogFile::gzModeText(char (&text)[8]) const {
  if (read() == write() || (filtered() && huffmanOnly())) return false;
  std::snprintf(text, sizeof(text), "%s%d%s", read() ? "rb" : "wb", compression(),
                filtered() ? "f" : (huffmanOnly() ? "h" : ""));
  return true;
}

void LogFile::plainModeText(char (&text)[4]) const {
  // Reading and writing one file is "r+"; "rw" is no mode at all.
  std::size_t n = 0;
  if (read()) text[n++] = 'r';
  if (read() && write())
    text[n++] = '+';
  else if (write())
    text[n++] = 'w';
  if (binary()) text[n++] = 'b';
  text[n] = '\0';
}

void LogFile::failed(const char* otherwise) {
  mWhy = errno ? std::strerror(errno) : otherwise;
}

template <class PlainOpen, class GzOpen>
void LogFile::openBy(int mode, PlainOpen plainOpen, GzOpen gzOpen) {
  // A second open must not leak the handle of the first.
  close();
  _mode = mode;
  mWhy.clear();
  errno = 0;
  if (plainKind()) {
    char text[4];
    plainModeText(text);
    fp = plainOpen(text);
    if (fp)
      f_open = true;
    else
      failed("cannot be opened");
    return;
  }
  char text[8];
  if (!gzModeText(text)) {
    mWhy = "invalid mode";
    return;
  }
  gzfp = gzOpen(text);
  if (gzfp)
    gz_open = true;
  else
    failed("cannot be opened");
}

void LogFile::open(const char* path, int mode) {
  openBy(
      mode, [path](const char* m) { return std::fopen(path, m); },
      [path](const char* m) { return gzopen(path, m); });
}

void LogFile::open(int fd, int mode) {
  openBy(
      mode, [fd](const char* m) { return fdopen(fd, m); },
      [fd](const char* m) { return gzdopen(fd, m); });
}

int LogFile::read(void* buf, unsigned int len) {
  errno = 0;
  if (gz_open) {
    const int n = gzread(gzfp, buf, len);
    int code = Z_OK;
    const char* text = gzerror(gzfp, &code);
    if (n < 0 || code == Z_ERRNO)
      failed(text);
    else if (code != Z_OK && code != Z_BUF_ERROR)
      mWhy = text;
    return n;
  }
  if (f_open) {
    const int n = int(std::fread(buf, len, 1, fp));
    if (n != 1 && std::ferror(fp)) failed("cannot be read");
    return n;
  }
  return -1;
}

int LogFile::write(void* buf, unsigned int len) {
  if (gz_open) return gzwrite(gzfp, buf, len);
  if (f_open) return int(std::fwrite(buf, len, 1, fp));
  return -1;
}

bool LogFile::readAll(void* buf, unsigned int len) {
  if (len == 0) return open();
  const int n = read(buf, len);
  return gz_open ? n == int(len) : n == 1;
}

int LogFile::flush(int type) {
  if (gz_open) return gzflush(gzfp, type);
  if (f_open) return std::fflush(fp);
  return -1;
}

long LogFile::seek(long offset, int whence) {
  if (gz_open) return gzseek(gzfp, offset, whence);
  if (f_open) return std::fseek(fp, offset, whence);
  return -1;
}

long LogFile::tell() {
  if (gz_open) return gztell(gzfp);
  if (f_open) return std::ftell(fp);
  return -1;
}

long LogFile::rewind() {
  if (gz_open) return gzrewind(gzfp);
  if (f_open) {
    std::rewind(fp);
    return tell();
  }
  return -1;
}

bool LogFile::eof() {
  if (gz_open) return gzeof(gzfp) != 0;
  if (f_open) return std::feof(fp) != 0;
  return true;
}

int LogFile::close() {
  if (gz_open) {
    gz_open = false;
    const int r = gzclose(gzfp);
    gzfp = nullptr;
    return r;
  }
  if (f_open) {
    f_open = false;
    const int r = std::fclose(fp);
    fp = nullptr;
    return r;
  }
  return -1;
}

void LogFile::clearErr() {
  if (f_open) std::clearerr(fp);
}

void LogFile::setCompression(int level, int strategy) {
  if (gz_open) gzsetparams(gzfp, level, strategy / 16);
}

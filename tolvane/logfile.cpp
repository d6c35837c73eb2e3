#include "tolvane/logfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

LogFile::LogFile()
    : fp(nullptr), gzfp(nullptr), f_open(false), gz_open(false), _mode(0), mKeptStart(0),
      mKeptAt(0), mKeeping(false) {}

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

int LogFile::readFile(unsigned char* buf, unsigned int len) {
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
  const std::size_t n = std::fread(buf, 1, len, fp);
  if (n != len && std::ferror(fp)) failed("cannot be read");
  return int(n);
}

int LogFile::read(void* buf, unsigned int len) {
  if (!open()) return -1;
  if (len == 0) return 0;
  auto* out = static_cast<unsigned char*>(buf);
  const std::size_t again = std::min<std::size_t>(len, mKept.size() - mKeptAt);
  std::memcpy(out, mKept.data() + mKeptAt, again);
  mKeptAt += again;
  int got = 0;
  if (again < len) {
    got = readFile(out + again, len - unsigned(again));
    if (mKeeping && got > 0) {
      mKept.append(reinterpret_cast<const char*>(out + again), std::size_t(got));
      mKeptAt = mKept.size();
    } else if (!mKeeping && kept()) {
      dropKept();
    }
  }
  if (got < 0) return gz_open ? got : 0;
  const unsigned int total = unsigned(again) + unsigned(got);
  if (gz_open) return int(total);
  return total == len ? 1 : 0;
}

void LogFile::keep(bool on) {
  if (on) {
    // Kept bytes not yet read again stay: they come before the file's.
    const long at = tell();
    mKept.erase(0, mKeptAt);
    mKeptStart = at;
    mKeptAt = 0;
  }
  mKeeping = on;
}

void LogFile::dropKept() {
  std::string().swap(mKept);
  mKeptAt = 0;
  mKeeping = false;
}

int LogFile::write(void* buf, unsigned int len) {
  // A write goes where reading stands, not where the kept bytes end.
  if (kept()) {
    const long at = tell();
    const bool behind = mKeptAt < mKept.size();
    dropKept();
    if (behind) seek(at, SEEK_SET);
  }
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
  if (!open()) return -1;
  if (kept() && whence != SEEK_END) {
    const long target = whence == SEEK_CUR ? tell() + offset : offset;
    const long end = mKeptStart + long(mKept.size());
    if (target >= mKeptStart && target <= end) {
      mKeptAt = std::size_t(target - mKeptStart);
      return gz_open ? target : 0;
    }
    // The file itself stands at the end of the kept bytes, not where
    // reading does.
    dropKept();
    offset = target;
    whence = SEEK_SET;
  } else if (kept()) {
    dropKept();
  }
  if (gz_open) return gzseek(gzfp, offset, whence);
  if (f_open) return std::fseek(fp, offset, whence);
  return -1;
}

long LogFile::tell() {
  if (open() && kept()) return mKeptStart + long(mKeptAt);
  if (gz_open) return gztell(gzfp);
  if (f_open) return std::ftell(fp);
  return -1;
}

long LogFile::rewind() {
  if (open() && kept() && mKeptStart == 0) {
    mKeptAt = 0;
    return 0;
  }
  if (kept()) dropKept();
  if (gz_open) return gzrewind(gzfp);
  if (f_open) {
    std::rewind(fp);
    return tell();
  }
  return -1;
}

bool LogFile::eof() {
  if (open() && mKeptAt < mKept.size()) return false;
  if (gz_open) return gzeof(gzfp) != 0;
  if (f_open) return std::feof(fp) != 0;
  return true;
}

int LogFile::close() {
  dropKept();
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

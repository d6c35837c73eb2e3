#ifndef TOLVANE_LOGFILE_H
#define TOLVANE_LOGFILE_H

#include <zlib.h>

#include <cstdio>
#include <string>

// A file read or written either through standard buffered streams (a plain
// file) or through zlib's gz interface (a compressed file; for reading it
// takes plain and gzip-compressed files alike). The mode bits choose the
// direction, the kind and the compression settings.
class LogFile {
public:
  // Mode bits.
  static const int FILTERED = 16;
  static const int HUFFMAN_ONLY = 32;
  static const int READ = 0x100;
  static const int WRITE = 0x200;
  static const int BINARY = 0x800;

  LogFile();
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // A file already open is closed first. A failure is not printed: why()
  // tells it to the caller.
  void open(const char* path, int mode);
  void open(int fd, int mode);
  // Whether a file is open.
  bool open() const { return f_open || gz_open; }

  // A compressed file counts bytes, a plain file whole blocks of len (1 or
  // 0); -1 when nothing is open.
  int read(void* buf, unsigned int len);
  int write(void* buf, unsigned int len);
  // True when all len bytes were read, whatever the kind.
  bool readAll(void* buf, unsigned int len);
  // Why the last open or read failed, in words for the user; empty when it
  // did not fail (a read that met the file's end did not).
  const std::string& why() const { return mWhy; }
  // With on, the bytes read from here are kept, so that a seek back among
  // them works on a file that can only be read once (a pipe, a FIFO). With
  // off, no more are kept; those kept are read again until reading passes
  // their end, when they are let go.
  void keep(bool on);
  int flush(int type);
  long seek(long offset, int whence);
  long tell();
  long rewind();
  bool eof();
  int close();
  void clearErr();
  void setCompression(int level, int strategy);

  int compression() const { return _mode % 16; }
  bool filtered() const { return has(FILTERED); }
  bool huffmanOnly() const { return has(HUFFMAN_ONLY); }
  bool read() const { return has(READ); }
  bool write() const { return has(WRITE); }
  bool binary() const { return has(BINARY); }

private:
  bool has(int bit) const { return (_mode | bit) == _mode; }
  // The kind the mode bits choose.
  bool plainKind() const;
  // The gz mode text of a valid compressed mode; false for an invalid one.
  bool gzModeText(char (&text)[8]) const;
  void plainModeText(char (&text)[4]) const;
  // Opens by the kind the mode chooses.
  template <class PlainOpen, class GzOpen>
  void openBy(int mode, PlainOpen plainOpen, GzOpen gzOpen);
  // Records errno's words, or otherwise, as why().
  void failed(const char* otherwise);
  // Reads from the file itself, past the kept bytes: the bytes read, or -1.
  int readFile(unsigned char* buf, unsigned int len);
  // Whether kept bytes stand between the reader and the file.
  bool kept() const { return mKeeping || !mKept.empty(); }
  // Lets the kept bytes go; the file itself is where the last of them ends.
  void dropKept();

  FILE* fp;
  gzFile gzfp;
  bool f_open;
  bool gz_open;
  int _mode;
  std::string mWhy;
  // The kept bytes, the position of the first and how many of them have
  // been read again; the file itself stands at their end.
  std::string mKept;
  long mKeptStart;
  std::size_t mKeptAt;
  bool mKeeping;
};

#endif

// The formatter behind FormatInto, FormatText and the console printf.
//
// Directive: '%' [flags] [width] ['.' precision] ['l' | 'L'] conversion
//   flags      '-' left-justify, '0' zero-pad, '+' sign always, ' ' blank for the sign
//   width      decimal digits or '*' (taken from an integer argument)
//   precision  minimum digits of a number, maximum characters of a string
//   conversion d (signed decimal; an unsigned argument prints unsigned), u, x and X
//              (hexadecimal, upper-case digits for both, as in the firmware print
//              library; X also zero-pads to the width), c, s and a (either string kind),
//              and %% for a percent sign. An unknown conversion is copied as it stands.
#include "base/Format.h"

namespace {

const usize MAX_WIDTH = 4096;  // wider fields would be cut at any realistic capacity anyway

struct Writer {
  char16_t* target;
  usize capacity;
  usize length;

  bool Full() const { return length + 1 >= capacity; }
  void Put(char16_t ch) {
    if (!Full()) target[length++] = ch;
  }
  void Repeat(char16_t ch, usize count) {
    for (; count > 0 && !Full(); --count) target[length++] = ch;
  }
};

struct Directive {
  bool left = false;
  bool zero = false;
  bool plus = false;
  bool blank = false;
  bool hasPrecision = false;
  bool wide = false;  // 'l': the full 64 bits
  usize width = 0;
  usize precision = 0;
};

// A run of characters of either width, without its terminator.
struct Piece {
  const char16_t* text16 = nullptr;
  const char* text8 = nullptr;
  usize length = 0;

  char16_t At(usize i) const { return text16 ? text16[i] : (char16_t)(u8)text8[i]; }
};

Piece PieceOf(const char16_t* text, usize limit) {
  Piece piece;
  piece.text16 = text;
  while (piece.length < limit && text[piece.length]) ++piece.length;
  return piece;
}

Piece PieceOf(const char* text, usize limit) {
  Piece piece;
  piece.text8 = text;
  while (piece.length < limit && text[piece.length]) ++piece.length;
  return piece;
}

void EmitPadded(Writer& out, const Piece& piece, usize width, bool left) {
  usize pad = width > piece.length ? width - piece.length : 0;
  if (!left) out.Repeat(u' ', pad);
  for (usize i = 0; i < piece.length && !out.Full(); ++i) out.Put(piece.At(i));
  if (left) out.Repeat(u' ', pad);
}

void EmitText(Writer& out, const char16_t* text, const Directive& d) {
  EmitPadded(out, PieceOf(text, d.hasPrecision ? d.precision : (usize)-1), d.width, d.left);
}

// Digits are produced in 32-bit arithmetic while the value fits, so that the IA32 image
// calls the 64-bit division helper only for values that need it.
usize ReversedDigits(u64 value, u32 base, char16_t* digits) {
  static const char DIGITS[] = "0123456789ABCDEF";
  usize n = 0;
  while (value >> 32) {
    digits[n++] = (char16_t)DIGITS[value % base];
    value /= base;
  }
  u32 small = (u32)value;
  do {
    digits[n++] = (char16_t)DIGITS[small % base];
    small /= base;
  } while (small);
  return n;
}

void EmitNumber(Writer& out, u64 magnitude, char16_t sign, u32 base, const Directive& d) {
  char16_t reversed[24];
  usize count = ReversedDigits(magnitude, base, reversed);
  if (d.hasPrecision && d.precision == 0 && magnitude == 0) count = 0;
  usize signLength = sign ? 1 : 0;
  usize zeros = d.hasPrecision && d.precision > count ? d.precision - count : 0;
  if (d.zero && !d.left && !d.hasPrecision && d.width > signLength + count) {
    zeros = d.width - signLength - count;
  }
  usize total = signLength + zeros + count;
  usize pad = d.width > total ? d.width - total : 0;
  if (!d.left) out.Repeat(u' ', pad);
  if (sign) out.Put(sign);
  out.Repeat(u'0', zeros);
  while (count > 0) out.Put(reversed[--count]);
  if (d.left) out.Repeat(u' ', pad);
}

// Reads decimal digits, saturating at MAX_WIDTH.
usize ReadCount(const char16_t*& p) {
  usize value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + (usize)(*p - u'0');
    if (value > MAX_WIDTH) value = MAX_WIDTH;
  }
  return value;
}

}  // namespace

usize FormatArgs(char16_t* target, usize capacity, const char16_t* format,
                 const FormatArg* args, usize argCount) {
  if (!target || capacity == 0) return 0;
  Writer out{target, capacity, 0};
  usize nextArg = 0;
  auto take = [&]() -> const FormatArg* { return nextArg < argCount ? &args[nextArg++] : nullptr; };
  // A '*' takes its count from an integer argument; a negative width means left-justify.
  auto takeCount = [&](bool* negative) -> usize {
    const FormatArg* arg = take();
    if (!arg || arg->kind != FormatArg::Integer) return 0;
    i32 value = (i32)(u32)arg->integer;
    if (negative) *negative = value < 0;
    u32 magnitude = value < 0 ? 0u - (u32)value : (u32)value;
    return magnitude > MAX_WIDTH ? MAX_WIDTH : magnitude;
  };

  const char16_t* p = format ? format : u"";
  while (*p && !out.Full()) {
    if (*p != u'%') {
      out.Put(*p++);
      continue;
    }
    const char16_t* start = p++;
    Directive d;
    for (;; ++p) {
      if (*p == u'-') d.left = true;
      else if (*p == u'0') d.zero = true;
      else if (*p == u'+') d.plus = true;
      else if (*p == u' ') d.blank = true;
      else break;
    }
    if (*p == u'*') {
      ++p;
      bool negative = false;
      d.width = takeCount(&negative);
      if (negative) d.left = true;
    } else {
      d.width = ReadCount(p);
    }
    if (*p == u'.') {
      ++p;
      d.hasPrecision = true;
      if (*p == u'*') {
        ++p;
        d.precision = takeCount(nullptr);
      } else {
        d.precision = ReadCount(p);
      }
    }
    while (*p == u'l' || *p == u'L') {
      d.wide = true;
      ++p;
    }
    char16_t conversion = *p;
    if (conversion == 0) {
      // A directive cut off by the end of the format is copied as it stands.
      while (start < p) out.Put(*start++);
      break;
    }
    ++p;

    switch (conversion) {
      case u'%':
        out.Put(u'%');
        break;
      case u'd':
      case u'u':
      case u'x':
      case u'X': {
        const FormatArg* arg = take();
        if (!arg) break;
        if (arg->kind != FormatArg::Integer) {
          EmitText(out, u"<?>", d);
          break;
        }
        u64 value = d.wide ? arg->integer : (u64)(u32)arg->integer;
        if (conversion == u'X') d.zero = true;
        if (conversion == u'x' || conversion == u'X') {
          EmitNumber(out, value, 0, 16, d);
          break;
        }
        bool negative = false;
        if (conversion == u'd' && arg->isSigned) {
          negative = d.wide ? (i64)value < 0 : (i32)(u32)value < 0;
          if (negative) value = d.wide ? 0 - value : (u64)(0u - (u32)value);
        }
        char16_t sign = 0;
        if (conversion == u'd') sign = negative ? u'-' : d.plus ? u'+' : d.blank ? u' ' : 0;
        EmitNumber(out, value, sign, 10, d);
        break;
      }
      case u'c': {
        const FormatArg* arg = take();
        if (!arg) break;
        if (arg->kind != FormatArg::Integer) {
          EmitText(out, u"<?>", d);
          break;
        }
        char16_t ch[2] = {(char16_t)arg->integer, 0};
        EmitPadded(out, PieceOf(ch, 1), d.width, d.left);
        break;
      }
      case u's':
      case u'a': {
        const FormatArg* arg = take();
        if (!arg) break;
        usize limit = d.hasPrecision ? d.precision : (usize)-1;
        if (arg->kind == FormatArg::Text16 && arg->text16) {
          EmitPadded(out, PieceOf(arg->text16, limit), d.width, d.left);
        } else if (arg->kind == FormatArg::Text8 && arg->text8) {
          EmitPadded(out, PieceOf(arg->text8, limit), d.width, d.left);
        } else {
          EmitText(out, arg->kind == FormatArg::Integer ? u"<?>" : u"<null>", d);
        }
        break;
      }
      default:
        while (start < p) out.Put(*start++);
        break;
    }
  }
  target[out.length] = 0;
  return out.length;
}

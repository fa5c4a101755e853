/*
 * Text between the terminal and the project: what the user typed, in
 * UTF-8, taken into the project's code page for names, and printed back
 * with nothing in it acting on the terminal; the project's names printed
 * as the terminal shows them.
 */
#define _GNU_SOURCE
#include "mavo-run-report.h"

#include <limits.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* The project's code page (Windows-1252) for bytes 0x80 to 0x9F as Unicode
 * code points (Unicode Consortium mapping table CP1252.TXT); 0 for the five
 * bytes it leaves unassigned. Bytes 0xA0 to 0xFF are the Latin-1
 * characters of the same number. */
static const uint16_t kCodePageHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, /* 0x80 */
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      /* 0x88 */
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, /* 0x90 */
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, /* 0x98 */
};

/* The character of a code-page byte; U+FFFD for an unassigned byte. */
static uint32_t code_point_of_byte(unsigned char byte) {
    if (byte < 0x80 || byte > 0x9F) return byte;
    return kCodePageHigh[byte - 0x80] ? kCodePageHigh[byte - 0x80] : 0xFFFD;
}

/* The code-page byte of a character: 0 where the code page has none. */
static unsigned char byte_of_code_point(uint32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return (unsigned char)c;
    for (int i = 0; i < 32; ++i)
        if (kCodePageHigh[i] != 0 && kCodePageHigh[i] == c) return (unsigned char)(0x80 + i);
    return 0;
}

static size_t put_utf8(uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = (char)c;
        return 1;
    }
    if (c < 0x800) {
        out[0] = (char)(0xC0 | (c >> 6));
        out[1] = (char)(0x80 | (c & 0x3F));
        return 2;
    }
    out[0] = (char)(0xE0 | (c >> 12));
    out[1] = (char)(0x80 | ((c >> 6) & 0x3F));
    out[2] = (char)(0x80 | (c & 0x3F));
    return 3;
}

/* One character of UTF-8 text: its length in bytes, 0 when the bytes are
 * not UTF-8 (a stray or missing continuation byte, an overlong form, a
 * surrogate, or a code point above U+10FFFF). */
static size_t take_utf8(const unsigned char* s, uint32_t* c) {
    size_t length;
    uint32_t least;
    if (s[0] < 0x80) {
        *c = s[0];
        return 1;
    } else if (s[0] >= 0xC2 && s[0] <= 0xDF) {
        length = 2, least = 0x80, *c = s[0] & 0x1F;
    } else if (s[0] >= 0xE0 && s[0] <= 0xEF) {
        length = 3, least = 0x800, *c = s[0] & 0x0F;
    } else if (s[0] >= 0xF0 && s[0] <= 0xF4) {
        length = 4, least = 0x10000, *c = s[0] & 0x07;
    } else {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        *c = (*c << 6) | (s[i] & 0x3F);
    }
    if (*c < least || *c > 0x10FFFF || (*c >= 0xD800 && *c <= 0xDFFF)) return 0;
    return length;
}

/* C0 and C1 control characters and DEL: a name is one line of master.dir. */
static int is_control(uint32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

int text_in_code_page(const char* utf8, char* out, size_t room, char* why, size_t why_room) {
    const unsigned char* s = (const unsigned char*)utf8;
    size_t count = 0;
    while (*s) {
        uint32_t c = 0;
        const size_t length = take_utf8(s, &c);
        if (length == 0) {
            snprintf(why, why_room, "it is not UTF-8 text: byte 0x%02X after character %zu starts no character",
                     *s, count);
            return -1;
        }
        char shown[5];
        memcpy(shown, s, length);
        shown[length] = '\0';
        const unsigned char byte = byte_of_code_point(c);
        if (is_control(c)) {
            snprintf(why, why_room, "character %zu is a control character (U+%04X); a name is printable text",
                     count + 1, (unsigned)c);
            return -1;
        }
        if (byte == 0) {
            snprintf(why, why_room,
                     "character %zu, \"%s\" (U+%04X), is not in Windows-1252, the code page of project names; "
                     "write it otherwise",
                     count + 1, shown, (unsigned)c);
            return -1;
        }
        if (count + 1 >= room) {
            snprintf(why, why_room, "it is longer than %zu characters", room - 1);
            return -1;
        }
        out[count++] = (char)byte;
        s += length;
    }
    out[count] = '\0';
    return (int)count;
}

void print_escaped_text(FILE* out, const char* text) {
    const unsigned char* s = (const unsigned char*)text;
    while (*s) {
        uint32_t c = 0;
        const size_t length = take_utf8(s, &c);
        if (length == 0 || is_control(c)) {
            /* One byte at a time: a control character's or a stray byte. */
            fprintf(out, "\\x%02X", *s);
            ++s;
            continue;
        }
        fwrite(s, 1, length, out);
        s += length;
    }
}

/* Code-page text as the terminal shows it: in UTF-8. */
void print_code_page_text(const char* text) {
    for (const unsigned char* s = (const unsigned char*)text; *s; ++s) {
        char bytes[4];
        fwrite(bytes, 1, put_utf8(code_point_of_byte(*s), bytes), stdout);
    }
}


const char* shown_text(const char* text) {
    enum { kBuffers = 4, kRoom = 4 * PATH_MAX };
    static char buffers[kBuffers][kRoom];
    static int next;
    char* buffer = buffers[next++ % kBuffers];
    buffer[0] = '\0';
    FILE* f = fmemopen(buffer, kRoom, "w");
    if (!f) return buffer;
    print_escaped_text(f, text);
    fclose(f);
    buffer[kRoom - 1] = '\0';
    return buffer;
}

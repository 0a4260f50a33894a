#pragma once

// A kernel that misbehaves on purpose: a shell script named "plim" around the
// stand-in. PLIM_HOSTILE names what it does and PLIM_HOSTILE_RUN the run kind
// it does it to ("-parse" or "-assemble", matched as a prefix of the second
// argument); every other run passes straight to the stand-in.
//   exit0, exit1  run the stand-in, then end with that status
//   flood         the stand-in's output, then PLIM_HOSTILE_BYTES bytes of
//                 1000-byte lines
//   flood-line    the same as one line without a line feed
//   fifo, device  replace the output file by a FIFO / a link to /dev/zero
//   midcrash      keep half of the output file and die by SIGKILL

#include "platform/files.h"

#include <filesystem>
#include <string>

inline std::string write_hostile_kernel(const std::filesystem::path& directory)
{
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "plim").string();
    write_text_file(
        std::string("#!/bin/sh\n"
                    "standin='") +
            PLIM_STANDIN_PATH +
            "'\n"
            "case \"$2\" in \"$PLIM_HOSTILE_RUN\"*) ;; *) exec \"$standin\" \"$@\" ;; esac\n"
            "\"$standin\" \"$@\"\n"
            "case \"$PLIM_HOSTILE\" in\n"
            "exit0) exit 0 ;;\n"
            "exit1) exit 1 ;;\n"
            "flood) yes \"$(printf '%0999d' 0)\" | head -c \"$PLIM_HOSTILE_BYTES\" ;;\n"
            "flood-line) head -c \"$PLIM_HOSTILE_BYTES\" /dev/zero | tr '\\0' x ;;\n"
            "fifo) rm -f \"$4\"; mkfifo \"$4\" ;;\n"
            "device) rm -f \"$4\"; ln -s /dev/zero \"$4\" ;;\n"
            "midcrash) head -c $(( $(wc -c < \"$4\") / 2 )) \"$4\" > \"$4.half\"\n"
            "  mv \"$4.half\" \"$4\"; kill -9 $$ ;;\n"
            "esac\n",
        path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

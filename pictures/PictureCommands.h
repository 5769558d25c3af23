// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Frame;

// The Tools menu's commands for the pictures kept in the database. Each runs as one job with
// progress and Cancel, all or nothing, and ends with a report.
namespace PictureCommands
{

// "Store the linked pictures in the database": every slot that holds a path to a readable
// picture gets the picture stored and names it; the report lists the slots that could not be
// read, with their article numbers.
void storeLinked(Frame& frame);
// "Write the stored pictures to a folder...": every stored picture an article uses is written
// into a folder the user chooses.
void writePictures(Frame& frame);
// "Compact the database": removes the pictures no article and no kept version uses, and gives
// the space back; the report tells how many and the file's size before and after.
void compact(Frame& frame);

} // namespace PictureCommands

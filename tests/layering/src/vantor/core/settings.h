#pragma once
#include <app/application.h>
#include <boost/optional.hpp>
#include <core/utils.h>
#include <sys/time.h>
#include <QSettings>

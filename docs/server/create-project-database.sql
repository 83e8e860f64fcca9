-- The network database of a team's project on a PostgreSQL server, and the
-- roles the tarvina RX24 plug-in and lnsdb connect with.
--
-- Run it once as the server's administrator:
--
--   sudo -u postgres psql -v ON_ERROR_STOP=1 -f create-project-database.sql
--
-- and once more for each engineer, naming the login:
--
--   sudo -u postgres psql -v ON_ERROR_STOP=1 -v engineer=anna -f create-project-database.sql
--   sudo -u postgres psql -c '\password anna'
--
-- -v db=NAME gives the database another name than "lns" (both times).
-- Running it again changes nothing that is already there. No password is
-- written here: \password asks for it and sends it hashed.
--
-- How the rights are laid out, and why:
--
--   rx24_owner     no login. Owns the schema rx24 in the project database,
--                  and with it every table and the id sequence rx24_ids that
--                  the plug-in creates there.
--   rx24_engineer  no login: the group of the engineers. May connect to the
--                  project database, read and write the project's tables and
--                  take ids from its sequences, and become rx24_owner.
--   anna, bob, ... one login each (a password of its own, which can be
--                  changed or taken away alone; the server's log names who
--                  connected), members of rx24_engineer, whose sessions in
--                  the project database run as rx24_owner.
--
-- The plug-in creates its tables and its sequence when the first engineer
-- opens the project. Were they created under that engineer's own name, they
-- would be hers: the others could not use them, and a later version of the
-- plug-in, run by someone else, could not extend them. So every engineer's
-- session in the project database takes on rx24_owner (ALTER ROLE ... SET
-- role): whoever comes first creates tables that belong to the team.
--
-- rx24_engineer does not inherit rx24_owner's rights (NOINHERIT): a session
-- that has left the owner role (SET ROLE NONE; RESET ROLE returns to it)
-- still reads and writes the project, through the default privileges below,
-- but cannot create, change or drop tables, so none gets a personal owner.
-- Running as rx24_owner, a session does not see its own row in
-- pg_stat_activity and pg_stat_ssl: those rows belong to the login.
--
-- Nobody gets rights outside the project database: no superuser, no new
-- databases or roles, and nothing in the database's public schema.

\if :{?db}
\else
\set db lns
\endif

-- The roles exist once per server; every project database there uses them.
SELECT 'CREATE ROLE rx24_owner NOLOGIN'
WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'rx24_owner') \gexec
SELECT 'CREATE ROLE rx24_engineer NOLOGIN NOINHERIT'
WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'rx24_engineer') \gexec
GRANT rx24_owner TO rx24_engineer;

-- The database belongs to the administrator; the project lives in its
-- schema rx24.
SELECT format('CREATE DATABASE %I ENCODING ''UTF8'' TEMPLATE template0', :'db')
WHERE NOT EXISTS (SELECT FROM pg_database WHERE datname = :'db') \gexec
REVOKE ALL ON DATABASE :"db" FROM PUBLIC;
GRANT CONNECT ON DATABASE :"db" TO rx24_owner, rx24_engineer;

\connect :"db"

REVOKE ALL ON SCHEMA public FROM PUBLIC;
CREATE SCHEMA IF NOT EXISTS rx24 AUTHORIZATION rx24_owner;
GRANT USAGE ON SCHEMA rx24 TO rx24_engineer;
-- The plug-in names its tables without a schema.
ALTER DATABASE :"db" SET search_path = rx24;

-- Tables and sequences that rx24_owner creates later (the plug-in's, at the
-- first open) can be read and written by every engineer.
ALTER DEFAULT PRIVILEGES FOR ROLE rx24_owner IN SCHEMA rx24
    GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO rx24_engineer;
ALTER DEFAULT PRIVILEGES FOR ROLE rx24_owner IN SCHEMA rx24
    GRANT USAGE, SELECT, UPDATE ON SEQUENCES TO rx24_engineer;
-- Those already there (a project database made by an older version of this
-- file) too.
GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA rx24 TO rx24_engineer;
GRANT USAGE, SELECT, UPDATE ON ALL SEQUENCES IN SCHEMA rx24 TO rx24_engineer;

-- One engineer's login, with -v engineer=NAME. Its password is set
-- afterwards with \password NAME.
\if :{?engineer}
SELECT format('CREATE ROLE %I LOGIN', :'engineer')
WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'engineer') \gexec
GRANT rx24_engineer TO :"engineer";
ALTER ROLE :"engineer" IN DATABASE :"db" SET role = 'rx24_owner';
\endif
